#include "gui/GlfwAdapter.h"

#include <GLFW/glfw3.h>

#include <cmath>

namespace vexmolda::windowing {

namespace {

GLFWwindow* window = nullptr;
bool keyRepeat = false;
double wheelSum = 0;
int wheelPosition = 0;
unsigned long events = 0;

WindowSizeHandler sizeHandler = nullptr;
MousePositionHandler positionHandler = nullptr;
MouseButtonHandler buttonHandler = nullptr;
MouseWheelHandler wheelHandler = nullptr;
KeyHandler keyHandler = nullptr;
CharacterHandler characterHandler = nullptr;

WindowSizes currentSizes() {
    WindowSizes sizes;
    if (!window) return sizes;
    glfwGetWindowSize(window, &sizes.windowWidth, &sizes.windowHeight);
    glfwGetFramebufferSize(window, &sizes.framebufferWidth, &sizes.framebufferHeight);
    return sizes;
}

// Both sizes are read afresh: a burst of resizes ends at the window's real size.
void onSizeChange(GLFWwindow*, int, int) {
    ++events;
    if (sizeHandler) sizeHandler(currentSizes());
}

// The window was uncovered or must be redrawn for another reason.
void onRefresh(GLFWwindow*) { ++events; }

void onFocus(GLFWwindow*, int) { ++events; }

void onCursorEnter(GLFWwindow*, int) { ++events; }

void onCursorPosition(GLFWwindow*, double x, double y) {
    ++events;
    if (positionHandler) positionHandler(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

void onMouseButton(GLFWwindow*, int button, int action, int) {
    ++events;
    if (buttonHandler && button >= 0) buttonHandler(button, action == GLFW_PRESS ? actionPress : actionRelease);
}

void onScroll(GLFWwindow*, double, double yOffset) {
    ++events;
    wheelSum += yOffset;
    const int position = static_cast<int>(std::lround(wheelSum));
    if (position == wheelPosition) return;
    wheelPosition = position;
    if (wheelHandler) wheelHandler(position);
}

void onKey(GLFWwindow*, int key, int, int action, int) {
    ++events;
    const int mapped = mapKeyAction(action, keyRepeat);
    if (keyHandler && mapped >= 0) keyHandler(mapKey(key), mapped);
}

void onCharacter(GLFWwindow*, unsigned int codepoint) {
    ++events;
    const std::string character = mapCharacter(codepoint);
    if (characterHandler && !character.empty()) characterHandler(character, actionPress);
}

}  // namespace

int mapKey(int rawKey) {
    switch (rawKey) {
        case GLFW_KEY_ESCAPE: return keyEscape;
        case GLFW_KEY_UP: return keyUp;
        case GLFW_KEY_DOWN: return keyDown;
        case GLFW_KEY_LEFT: return keyLeft;
        case GLFW_KEY_RIGHT: return keyRight;
        case GLFW_KEY_TAB: return keyTab;
        case GLFW_KEY_ENTER: return keyEnter;
        case GLFW_KEY_BACKSPACE: return keyBackspace;
        case GLFW_KEY_INSERT: return keyInsert;
        case GLFW_KEY_DELETE: return keyDelete;
        case GLFW_KEY_PAGE_UP: return keyPageUp;
        case GLFW_KEY_PAGE_DOWN: return keyPageDown;
        case GLFW_KEY_HOME: return keyHome;
        case GLFW_KEY_END: return keyEnd;
        case GLFW_KEY_KP_ENTER: return keyKeypadEnter;
        default: break;
    }
    // Printable keys share their codes with the characters on them.
    if (rawKey >= 32 && rawKey < 256) return rawKey;
    return keyUnknown;
}

int mapKeyAction(int rawAction, bool repeatEnabled) {
    if (rawAction == GLFW_RELEASE) return actionRelease;
    if (rawAction == GLFW_PRESS) return actionPress;
    if (rawAction == GLFW_REPEAT && repeatEnabled) return actionPress;
    return -1;
}

std::string mapCharacter(unsigned int codepoint) {
    // Typed names must be the same bytes as the UTF-8 names of files.
    std::string bytes;
    const auto byte = [&bytes](unsigned int value) { bytes.push_back(static_cast<char>(value)); };
    if (codepoint < 0x80) {
        byte(codepoint);
    } else if (codepoint < 0x800) {
        byte(0xC0 | codepoint >> 6);
        byte(0x80 | (codepoint & 0x3F));
    } else if (codepoint < 0x10000) {
        if (codepoint >= 0xD800 && codepoint <= 0xDFFF) return {};
        byte(0xE0 | codepoint >> 12);
        byte(0x80 | (codepoint >> 6 & 0x3F));
        byte(0x80 | (codepoint & 0x3F));
    } else if (codepoint <= 0x10FFFF) {
        byte(0xF0 | codepoint >> 18);
        byte(0x80 | (codepoint >> 12 & 0x3F));
        byte(0x80 | (codepoint >> 6 & 0x3F));
        byte(0x80 | (codepoint & 0x3F));
    }
    return bytes;
}

bool initialize() { return glfwInit() == GLFW_TRUE; }

bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits, int depthBits,
                int stencilBits) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RED_BITS, redBits);
    glfwWindowHint(GLFW_GREEN_BITS, greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, blueBits);
    glfwWindowHint(GLFW_ALPHA_BITS, alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, stencilBits);
    // The drawing uses the fixed-function pipeline: any 1.x-compatible context.
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    window = glfwCreateWindow(width, height, "", nullptr, nullptr);
    if (!window) return false;
    glfwMakeContextCurrent(window);
    double x = 0, y = 0;
    glfwGetCursorPos(window, &x, &y);
    glfwSetWindowSizeCallback(window, onSizeChange);
    glfwSetFramebufferSizeCallback(window, onSizeChange);
    glfwSetWindowRefreshCallback(window, onRefresh);
    glfwSetWindowFocusCallback(window, onFocus);
    glfwSetCursorEnterCallback(window, onCursorEnter);
    glfwSetCursorPosCallback(window, onCursorPosition);
    glfwSetMouseButtonCallback(window, onMouseButton);
    glfwSetScrollCallback(window, onScroll);
    glfwSetKeyCallback(window, onKey);
    glfwSetCharCallback(window, onCharacter);
    return true;
}

void terminate() {
    if (window) glfwDestroyWindow(window);
    window = nullptr;
    glfwTerminate();
}

void setWindowTitle(const char* title) {
    if (window) glfwSetWindowTitle(window, title);
}

bool windowOpened() { return window && !glfwWindowShouldClose(window); }

void getMousePosition(int& x, int& y) {
    double px = 0, py = 0;
    if (window) glfwGetCursorPos(window, &px, &py);
    x = static_cast<int>(std::floor(px));
    y = static_cast<int>(std::floor(py));
}

int getMouseWheel() { return wheelPosition; }

void setWindowSizeHandler(WindowSizeHandler handler) {
    sizeHandler = handler;
    if (handler && window) handler(currentSizes());
}

void setMousePositionHandler(MousePositionHandler handler) {
    positionHandler = handler;
    if (handler && window) {
        int x = 0, y = 0;
        getMousePosition(x, y);
        handler(x, y);
    }
}

void setMouseButtonHandler(MouseButtonHandler handler) { buttonHandler = handler; }

void setMouseWheelHandler(MouseWheelHandler handler) {
    wheelHandler = handler;
    if (handler && window) handler(wheelPosition);
}

void setKeyHandler(KeyHandler handler) { keyHandler = handler; }

void setCharacterHandler(CharacterHandler handler) { characterHandler = handler; }

void enableKeyRepeat() { keyRepeat = true; }

void setSwapInterval(int frames) {
    if (window) glfwSwapInterval(frames);
}

void swapBuffers() {
    if (window) glfwSwapBuffers(window);
}

void pollEvents() {
    if (window) glfwPollEvents();
}

void waitEvents(double timeoutSeconds) {
    if (window) glfwWaitEventsTimeout(timeoutSeconds);
}

unsigned long eventCount() { return events; }

double getTime() { return glfwGetTime(); }

}  // namespace vexmolda::windowing
