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

std::vector<long> XServerAccess::pixels(unsigned long window, int x, int y, int width, int height) {
    std::vector<long> colours;
    if (!connection || width <= 0 || height <= 0) return colours;
    XImage* image = XGetImage(asDisplay(connection), window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return colours;
    colours.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long value = XGetPixel(image, column, row);
            colours.push_back(channel(value, image->red_mask) << 16 | channel(value, image->green_mask) << 8 |
                              channel(value, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return colours;
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
