#pragma once
// The few direct X requests the session tests need, kept apart from the test
// code because the X headers' macros clash with the test framework's names.

#include <string>
#include <vector>

namespace vexmolda::testing {

// One connection to an X server; closed on destruction.
class XServerAccess {
public:
    explicit XServerAccess(const std::string& display);
    ~XServerAccess();
    XServerAccess(const XServerAccess&) = delete;
    XServerAccess& operator=(const XServerAccess&) = delete;

    bool connected() const { return connection != nullptr; }
    // The colours of a window rectangle as 0xRRGGBB, row after row; empty when it cannot be read.
    std::vector<long> pixels(unsigned long window, int x, int y, int width, int height);
    // Asks the window to close the way a window manager does (WM_DELETE_WINDOW).
    void requestClose(unsigned long window);

private:
    void* connection = nullptr;
};

}  // namespace vexmolda::testing
