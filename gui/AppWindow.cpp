#include "gui/AppWindow.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "command/StartupFile.h"
#include "gui/CommandArea.h"
#include "gui/CommandLine.h"
#include "gui/DMWindow.h"
#include "gui/Font.h"
#include "gui/GlfwAdapter.h"
#include "gui/GraphViewWindow.h"
#include "gui/IFWindow.h"
#include "gui/LogWindow.h"
#include "gui/OIWindow.h"
#include "gui/PGWindow.h"
#include "gui/PointerInput.h"
#include "gui/Tooltip.h"
#include "gui/WindowGeometry.h"

namespace vexmolda {

namespace {

WindowSet windows;
// What the frames draw and where the typed lines go; set by initGui.
Session* shownSession = nullptr;
CommandRunner* commandRunner = nullptr;
bool firstFrame = true;
double previousFrameTime = 0;
WindowGeometry geometry;

// Where the font is looked for: the working directory, then the installed data.
std::vector<std::filesystem::path> fontSearchPlaces() {
    std::vector<std::filesystem::path> places;
    std::error_code error;
    std::filesystem::path workingDirectory = std::filesystem::current_path(error);
    if (!error) places.push_back(std::move(workingDirectory));
    if (std::filesystem::path data = installedDataDirectory(runningExecutable()); !data.empty()) {
        places.push_back(data.lexically_normal());
    }
    return places;
}

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
    made.instances = new OIWindow(session, [&runner](WindowAction action, std::string description) {
        runner.submitAction(std::move(action), std::move(description));
    });
    made.interference = new IFWindow(session);
    made.plangraph = new PGWindow(session);
    made.log = new LogWindow(session);
    createTabButtons(made);
    return made;
}

const WindowSet& guiWindows() { return windows; }

void handleWindowSize(const windowing::WindowSizes& sizes) {
    geometry = followWindowSize(geometry, sizes);
    glViewport(0, 0, geometry.viewportWidth, geometry.viewportHeight);
    rememberWindowSize(geometry.pointerWidth, geometry.pointerHeight);
}

void handleWindowKey(int key, int action) {
    if (action != windowing::actionRelease && key == windowing::keyHome && activeWindow && activeWindow->shown &&
        activeWindow->returnToStart()) {
        return;
    }
    handleKey(key, action);
}

void handleWindowWheel(int position) {
    const std::size_t lineCount = panelLines(*shownSession, *commandRunner).size();
    const bool overPanel = showMessages && pointerUnitsX() >= commandAreaLeft &&
                           pointerUnitsY() >= panelTop(true, lineCount) && pointerUnitsY() < panelTop(false, 0);
    if (!overPanel) {
        handleMouseWheel(position);
        return;
    }
    MessageScroll& scroll = messageScroll();
    scroll.firstLine =
        scrolledFirstLine(scroll.firstLine, static_cast<float>(position - pointer.lastWheel), lineCount);
    pointer.lastWheel = position;
}

LoopActivity loopActivity() {
    LoopActivity activity;
    activity.framePending = firstFrame;
    activity.workRunning = commandRunner && (commandRunner->busy() || commandRunner->waiting() > 0);
    for (const Window* window :
         {windows.domain, windows.instances, windows.plangraph, windows.interference, windows.log}) {
        if (window && window->animating) activity.windowSliding = true;
    }
    return activity;
}

void attachSession(Session& session, CommandRunner& runner) {
    shownSession = &session;
    commandRunner = &runner;
}

void initGui(Session& session, CommandRunner& runner) {
    attachSession(session, runner);
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
    windowing::setMouseWheelHandler(handleWindowWheel);
    windowing::setKeyHandler(handleWindowKey);
    windowing::setCharacterHandler(handleCharacter);
    windowing::enableKeyRepeat();
    windowing::setSwapInterval(1);

    setUpProjection();
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.7f, 0.7f, 0.7f, 1);
    // Text stays invisible without the font; the message says where it was looked for.
    if (const std::string problem = loadFont(startupFile(fontFileName, fontFileName), fontSearchPlaces());
        !problem.empty()) {
        session.messages.append(problem);
        std::fputs(problem.c_str(), stderr);
    }
    guiRoot.setColor(200, 200, 200);
    windows = createWidgets(session, runner);
}

void drawFrame(bool afterIdleWait) {
    glClear(GL_DEPTH_BUFFER_BIT);

    const double now = windowing::getTime();
    // Time spent asleep is not animation time: a slide begun now starts from its beginning.
    if (firstFrame || afterIdleWait) {
        previousFrameTime = now;
        firstFrame = false;
    }
    const auto dt = static_cast<float>(now - previousFrameTime);
    previousFrameTime = now;

    guiRoot.update(dt);
    draw::setTexturing(false);
    guiRoot.draw();
    if (GuiElement* tip = tooltip()) {
        const float bottom = panelTop(showMessages, panelLines(*shownSession, *commandRunner).size());
        const TooltipPlace place = tooltipPlace(pointerUnitsX(), pointerUnitsY(), tip->x + tip->width,
                                                tip->y + tip->height, bottom);
        draw::pushMatrix();
        draw::translate(place.x, place.y);
        tip->draw();
        draw::popMatrix();
    }
    drawCommandArea(*shownSession, *commandRunner);
    windowing::swapBuffers();
}

}  // namespace vexmolda
