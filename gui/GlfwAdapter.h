#pragma once
// The window system as the frame loop uses it: one window, polled input with
// absolute wheel positions, key repeats as presses, and the timer.

#include <string>

namespace vexmolda::windowing {

// Key codes handed to the key handler; printable keys keep their character code.
enum KeyCode : int {
    keyEscape = 257,
    keyUp = 283,
    keyDown = 284,
    keyLeft = 285,
    keyRight = 286,
    keyTab = 293,
    keyEnter = 294,
    keyBackspace = 295,
    keyInsert = 296,
    keyDelete = 297,
    keyPageUp = 298,
    keyPageDown = 299,
    keyHome = 300,
    keyEnd = 301,
    keyKeypadEnter = 318,
    keyUnknown = -1,
};

// Input actions: a held key's repeats arrive as presses.
constexpr int actionRelease = 0;
constexpr int actionPress = 1;

// A window's size in screen coordinates (the unit of pointer positions) and
// its framebuffer's in pixels; they differ on high-density screens.
struct WindowSizes {
    int windowWidth = 0;
    int windowHeight = 0;
    int framebufferWidth = 0;
    int framebufferHeight = 0;
};

using WindowSizeHandler = void (*)(const WindowSizes& sizes);
using MousePositionHandler = void (*)(int x, int y);
using MouseButtonHandler = void (*)(int button, int action);
using MouseWheelHandler = void (*)(int position);
using KeyHandler = void (*)(int key, int action);
using CharacterHandler = void (*)(const std::string& utf8, int action);

// Starts the window system; false when there is none (no display).
bool initialize();
// Opens the one window with the given colour, depth and stencil bits and makes
// its GL context current; false when that fails.
bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                int depthBits, int stencilBits);
// Closes the window and shuts the window system down.
void terminate();
void setWindowTitle(const char* title);
// True while the window exists and the user has not asked to close it.
bool windowOpened();
// Pointer position in pixels, origin top-left.
void getMousePosition(int& x, int& y);
// Sum of all wheel movements so far, in notches.
int getMouseWheel();
// Registering a size, position or wheel handler calls it once with the current value.
// The size handler hears of every change of either size; the program never resizes the window.
void setWindowSizeHandler(WindowSizeHandler handler);
void setMousePositionHandler(MousePositionHandler handler);
void setMouseButtonHandler(MouseButtonHandler handler);
void setMouseWheelHandler(MouseWheelHandler handler);
void setKeyHandler(KeyHandler handler);
void setCharacterHandler(CharacterHandler handler);
// Held keys repeat as presses from now on.
void enableKeyRepeat();
// Waits for the display's vertical sync on every swap when it has one.
void setSwapInterval(int frames);
// Shows the drawn frame.
void swapBuffers();
// Delivers the pending input to the handlers.
void pollEvents();
// Sleeps until input arrives or the timeout (seconds) passes, then delivers it.
void waitEvents(double timeoutSeconds);
// How many events (input, size, exposure) have reached the program so far.
unsigned long eventCount();
// Seconds since the window system started.
double getTime();

// The pure mappings from the window system's raw input, exposed for tests.
int mapKey(int rawKey);
// The action to hand on, or -1 when the event is dropped.
int mapKeyAction(int rawAction, bool keyRepeat);
// The character as UTF-8 bytes; empty for what is no character (surrogates, beyond U+10FFFF).
std::string mapCharacter(unsigned int codepoint);

}  // namespace vexmolda::windowing
