#include "XServerAccess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vexmolda::testing {

namespace {

Display* asDisplay(void* connection) { return static_cast<Display*>(connection); }

long channel(unsigned long value, unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return static_cast<long>((value >> shift) & 0xFF);
}

}  // namespace

XServerAccess::XServerAccess(const std::string& display) : connection(XOpenDisplay(display.c_str())) {}

XServerAccess::~XServerAccess() {
    if (connection) XCloseDisplay(asDisplay(connection));
}

long XServerAccess::pixel(unsigned long window, int x, int y) {
    if (!connection) return -1;
    XImage* image = XGetImage(asDisplay(connection), window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return -1;
    const unsigned long value = XGetPixel(image, 0, 0);
    const long colour = channel(value, image->red_mask) << 16 | channel(value, image->green_mask) << 8 |
                        channel(value, image->blue_mask);
    XDestroyImage(image);
    return colour;
}

void XServerAccess::requestClose(unsigned long window) {
    if (!connection) return;
    Display* display = asDisplay(connection);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace vexmolda::testing
