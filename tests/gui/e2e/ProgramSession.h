#pragma once
// What the window program's session tests share: a private virtual X server,
// the program run in a temporary directory, typing and clicking through
// xdotool, and reading back the screen.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "XServerAccess.h"

namespace vexmolda::testing {

// Polls the condition every 20 ms until it holds or the time is up.
bool waitFor(const std::function<bool()>& condition, double seconds);
// The whole file, or empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
// The environment with DISPLAY replaced (or removed when display is empty).
std::vector<std::string> environmentWith(const std::string& display);
// Starts a program with its output in files (output and output + ".err"); keepFd stays open in the child.
pid_t spawn(const std::vector<std::string>& arguments, const std::filesystem::path& directory,
            const std::vector<std::string>& environment, const std::filesystem::path& output, int keepFd = -1);
// The exit status once the process has ended, or -1 while it runs.
int exitStatus(pid_t pid, int& status, bool& ended);
// Ends the process, politely first.
void stop(pid_t pid);

// A screen colour, 0 to 255 a channel.
struct Colour {
    int r, g, b;
};

// Equal within 2 a channel: the server's visual may round.
bool near(Colour actual, Colour wanted);
std::ostream& operator<<(std::ostream& out, Colour colour);

// A temporary directory for one run of the program; removed with everything in it.
class RunDirectory {
public:
    RunDirectory();
    ~RunDirectory();
    RunDirectory(const RunDirectory&) = delete;
    RunDirectory& operator=(const RunDirectory&) = delete;

    std::filesystem::path path;
};

// A fixture with its own Xvfb and the font file in the run directory; skipped,
// never passed, when Xvfb or xdotool is missing or the server does not start.
class ProgramSession : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program in the run directory and waits for its window.
    void startProgram();
    // Runs a command-line tool on the private display; returns its first output line.
    std::string tool(const std::string& command);
    // Types the text into the window and presses Return.
    void typeLine(const std::string& text);
    void moveTo(int px, int py);
    void clickAt(int px, int py);

    // The colour of one window pixel; -1 in each channel when it cannot be read.
    Colour pixel(int px, int py);
    // The pixels of a rectangle, row after row; empty when it cannot be read.
    std::vector<Colour> pixels(int px, int py, int width, int height);
    // How many pixels of the rectangle the test accepts.
    int countPixels(int px, int py, int width, int height, const std::function<bool(Colour)>& accept);
    // What a window manager sends when the user closes the window.
    void requestClose();

    // Everything the program printed so far.
    std::string output();
    bool outputHas(const std::string& text, double seconds = 15);
    // The program's exit status, or -1 while it runs (or before it started).
    int programStatus();
    bool running();
    int waitForExit(double seconds = 15);

    RunDirectory run;
    std::string display;
    unsigned long window = 0;

private:
    pid_t serverPid = -1;
    pid_t programPid = -1;
    int status = -1;
    bool ended = false;
    std::unique_ptr<XServerAccess> xServer;
};

}  // namespace vexmolda::testing
