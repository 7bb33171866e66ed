#pragma once
// The few direct X requests the session tests need, kept apart from the test
// code because the X headers' macros clash with the test framework's names.

#include <string>

namespace vexmolda::testing {

// One connection to an X server; closed on destruction.
class XServerAccess {
public:
    explicit XServerAccess(const std::string& display);
    ~XServerAccess();
    XServerAccess(const XServerAccess&) = delete;
    XServerAccess& operator=(const XServerAccess&) = delete;

    bool connected() const { return connection != nullptr; }
    // The colour of one window pixel as 0xRRGGBB, or -1 when it cannot be read.
    long pixel(unsigned long window, int x, int y);
    // Asks the window to close the way a window manager does (WM_DELETE_WINDOW).
    void requestClose(unsigned long window);

private:
    void* connection = nullptr;
};

}  // namespace vexmolda::testing
