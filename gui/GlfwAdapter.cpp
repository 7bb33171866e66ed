#include "gui/GlfwAdapter.h"

#include <GLFW/glfw3.h>

#include <cmath>

namespace vexmolda::windowing {

namespace {

GLFWwindow* window = nullptr;
bool keyRepeat = false;
double wheelSum = 0;
int wheelPosition = 0;

WindowSizeHandler sizeHandler = nullptr;
MousePositionHandler positionHandler = nullptr;
MouseButtonHandler buttonHandler = nullptr;
MouseWheelHandler wheelHandler = nullptr;
KeyHandler keyHandler = nullptr;
CharacterHandler characterHandler = nullptr;

void onFramebufferSize(GLFWwindow*, int width, int height) {
    if (sizeHandler) sizeHandler(width, height);
}

void onCursorPosition(GLFWwindow*, double x, double y) {
    if (positionHandler) positionHandler(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

void onMouseButton(GLFWwindow*, int button, int action, int) {
    if (buttonHandler && button >= 0) buttonHandler(button, action == GLFW_PRESS ? actionPress : actionRelease);
}

void onScroll(GLFWwindow*, double, double yOffset) {
    wheelSum += yOffset;
    const int position = static_cast<int>(std::lround(wheelSum));
    if (position == wheelPosition) return;
    wheelPosition = position;
    if (wheelHandler) wheelHandler(position);
}

void onKey(GLFWwindow*, int key, int, int action, int) {
    const int mapped = mapKeyAction(action, keyRepeat);
    if (keyHandler && mapped >= 0) keyHandler(mapKey(key), mapped);
}

void onCharacter(GLFWwindow*, unsigned int codepoint) {
    const int character = mapCharacter(codepoint);
    if (characterHandler && character >= 0) characterHandler(character, actionPress);
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

int mapCharacter(unsigned int codepoint) {
    // Dropped rather than cut to a byte: a cut code would be a different character.
    if (codepoint > 255) return -1;
    return static_cast<int>(codepoint);
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
    glfwSetFramebufferSizeCallback(window, onFramebufferSize);
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

void setWindowSize(int width, int height) {
    if (!window) return;
    int currentWidth = 0, currentHeight = 0;
    glfwGetWindowSize(window, &currentWidth, &currentHeight);
    if (currentWidth != width || currentHeight != height) glfwSetWindowSize(window, width, height);
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
    if (handler && window) {
        int width = 0, height = 0;
        glfwGetFramebufferSize(window, &width, &height);
        handler(width, height);
    }
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
    if (!window) return;
    glfwSwapBuffers(window);
    glfwPollEvents();
}

double getTime() { return glfwGetTime(); }

}  // namespace vexmolda::windowing
