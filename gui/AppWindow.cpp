#include "gui/AppWindow.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "command/StartupFile.h"
#include "gui/CommandArea.h"
#include "gui/CommandLine.h"
#include "gui/DMWindow.h"
#include "gui/Font.h"
#include "gui/GlfwAdapter.h"
#include "gui/IFWindow.h"
#include "gui/LogWindow.h"
#include "gui/OIWindow.h"
#include "gui/PGWindow.h"
#include "gui/PointerInput.h"
#include "gui/Tooltip.h"

namespace vexmolda {

namespace {

WindowSet windows;
// What the frames draw and where the typed lines go; set by initGui.
Session* shownSession = nullptr;
CommandRunner* commandRunner = nullptr;
bool firstFrame = true;
double previousFrameTime = 0;

void setUpProjection() {
    // x 0..100 to -1..1, y 0..100 to 1..-1 (y downwards), z to -z.
    const GLfloat projection[16] = {0.02f, 0, 0, 0, 0, -0.02f, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

WindowSet createWidgets(Session& session, CommandRunner& runner) {
    WindowSet made;
    made.domain = new DMWindow(session);
    made.instances = new OIWindow(session, [&session, &runner] {
        runner.submitJob(buildInstancesJob(session), "Build Instances");
    });
    made.interference = new IFWindow(session);
    made.plangraph = new PGWindow(session);
    made.log = new LogWindow(session);
    createTabButtons(made);
    return made;
}

const WindowSet& guiWindows() { return windows; }

void handleWindowSize(int width, int height) {
    windowing::setWindowSize(width, height);
    glViewport(0, 0, width, height);
    rememberWindowSize(width, height);
}

void initGui(Session& session, CommandRunner& runner) {
    shownSession = &session;
    commandRunner = &runner;
    if (!windowing::initialize()) {
        std::printf("GLFW failed to initialize!\n");
        std::fflush(stdout);
        return;
    }
    if (!windowing::openWindow(800, 600, 8, 8, 8, 8, 16, 0)) {
        std::printf("Could not set Video Mode\n");
        std::fflush(stdout);
        windowing::terminate();
        return;
    }
    windowing::setWindowTitle("Vexmolda");
    windowing::getMousePosition(pointer.lastX, pointer.lastY);
    pointer.lastWheel = windowing::getMouseWheel();
    windowing::setWindowSizeHandler(handleWindowSize);
    windowing::setMousePositionHandler(handleMousePosition);
    windowing::setMouseButtonHandler(handleMouseButton);
    windowing::setMouseWheelHandler(handleMouseWheel);
    windowing::setKeyHandler(handleKey);
    windowing::setCharacterHandler(handleCharacter);
    windowing::enableKeyRepeat();
    windowing::setSwapInterval(1);

    setUpProjection();
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.7f, 0.7f, 0.7f, 1);
    loadFont(startupFile(fontFileName, fontFileName));
    guiRoot.setColor(200, 200, 200);
    windows = createWidgets(session, runner);
}

bool drawFrame() {
    if (!windowing::windowOpened()) return false;
    windowing::swapBuffers();
    glClear(GL_DEPTH_BUFFER_BIT);

    const double now = windowing::getTime();
    if (firstFrame) {
        previousFrameTime = now;
        firstFrame = false;
    }
    const auto dt = static_cast<float>(now - previousFrameTime);
    previousFrameTime = now;

    guiRoot.update(dt);
    draw::setTexturing(false);
    guiRoot.draw();
    if (GuiElement* tip = tooltip()) {
        draw::pushMatrix();
        draw::translate(pointerUnitsX(), pointerUnitsY() + 4);
        tip->draw();
        draw::popMatrix();
    }
    drawCommandArea(*shownSession, *commandRunner);
    return true;
}

}  // namespace vexmolda
