// Whole sessions of the window program under a private virtual X server:
// typed commands, tab clicks checked on the screen, and the ways it ends.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <memory>
#include <vector>

#include "XServerAccess.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const char* const smallDomain =
    "type place cargo\n"
    "atom place london paris\n"
    "atom cargo a\n";

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

// Polls the condition every 20 ms until it holds or the time is up.
bool waitFor(const std::function<bool()>& condition, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The environment with DISPLAY replaced (or removed when display is empty).
std::vector<std::string> environmentWith(const std::string& display) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("DISPLAY=", 0) == 0 || variable.rfind("WAYLAND_DISPLAY=", 0) == 0) continue;
        variables.push_back(variable);
    }
    if (!display.empty()) variables.push_back("DISPLAY=" + display);
    return variables;
}

// Starts a program with its output in files; keepFd stays open in the child.
pid_t spawn(const std::vector<std::string>& arguments, const fs::path& directory,
            const std::vector<std::string>& environment, const fs::path& output, int keepFd = -1) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& variable : environment) envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);
    const std::string outputPath = output.string();
    const std::string errorPath = outputPath + ".err";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(directory.c_str()) != 0) _exit(126);
        const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return pid;
}

// The exit status once the process has ended, or -1 while it runs.
int exitStatus(pid_t pid, int& status, bool& ended) {
    if (ended) return status;
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        ended = true;
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status;
    }
    return -1;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

struct Rgb {
    int r, g, b;
};

bool near(Rgb actual, Rgb wanted) {
    return std::abs(actual.r - wanted.r) <= 2 && std::abs(actual.g - wanted.g) <= 2 && std::abs(actual.b - wanted.b) <= 2;
}

std::ostream& operator<<(std::ostream& out, Rgb colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

// A temporary directory for one run of the program.
struct RunDirectory {
    RunDirectory() {
        std::string pattern = (fs::temp_directory_path() / "vexmolda-gui-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~RunDirectory() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

class GuiSession : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xdotool"}) {
            if (!onPath(tool)) GTEST_SKIP() << "GUI session test skipped: " << tool << " not found (install xvfb and xdotool)";
        }
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        // Xvfb picks a free display number itself and writes it to the pipe,
        // so parallel runs and other servers never collide.
        serverPid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-noreset",
                           "-nolisten", "tcp"},
                          run.path, environmentWith(""), run.path / "xvfb.log", fds[1]);
        close(fds[1]);
        std::string number;
        pollfd readable{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&readable, 1, 15000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) GTEST_SKIP() << "GUI session test skipped: Xvfb did not start: " << readFile(run.path / "xvfb.log.err");
        display = ":" + number;
        x = std::make_unique<vexmolda::testing::XServerAccess>(display);
        ASSERT_TRUE(x->connected()) << "cannot connect to " << display;
        fs::copy_file(VEXMOLDA_FONT_FILE, run.path / "verdanasmall.glf");
    }

    void TearDown() override {
        stop(programPid);
        x.reset();
        stop(serverPid);
    }

    void startProgram() {
        programPid = spawn({VEXMOLDA_PROGRAM}, run.path, environmentWith(display), run.path / "out.txt");
        std::string found;
        ASSERT_TRUE(waitFor(
            [&] {
                found = tool("xdotool search --name '^Vexmolda$'");
                return !found.empty() || programStatus() >= 0;
            },
            30))
            << "no window; output: " << output();
        ASSERT_FALSE(found.empty()) << "the program ended: " << output() << readFile(run.path / "out.txt.err");
        window = std::stoul(found);
        tool("xdotool mousemove --window " + std::to_string(window) + " 400 300");
    }

    // Runs a command-line tool on the private display; returns its first output line.
    std::string tool(const std::string& command) {
        const std::string line = "DISPLAY=" + display + " " + command + " 2>/dev/null";
        std::string result;
        if (FILE* pipe = popen(line.c_str(), "r")) {
            char buffer[256];
            if (std::fgets(buffer, sizeof buffer, pipe)) result = buffer;
            pclose(pipe);
        }
        while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
        return result;
    }

    void typeLine(const std::string& text) {
        tool("xdotool type --delay 5 '" + text + "'");
        tool("xdotool key Return");
    }

    void clickAt(int px, int py) {
        tool("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(px) + " " + std::to_string(py) +
             " click 1");
    }

    Rgb pixel(int px, int py) {
        const long colour = x->pixel(window, px, py);
        if (colour < 0) return {-1, -1, -1};
        return {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF), static_cast<int>(colour & 0xFF)};
    }

    // Waits until the pixel shows the colour; reports the last one seen.
    void expectPixel(int px, int py, Rgb wanted, const char* what) {
        Rgb seen{};
        const bool reached = waitFor(
            [&] {
                seen = pixel(px, py);
                return near(seen, wanted);
            },
            10);
        EXPECT_TRUE(reached) << what << ": pixel (" << px << ", " << py << ") is " << seen << ", wanted " << wanted;
    }

    // What a window manager sends when the user closes the window.
    void requestClose() { x->requestClose(window); }

    std::string output() { return readFile(run.path / "out.txt"); }

    bool outputHas(const std::string& text, double seconds = 15) {
        return waitFor([&] { return output().find(text) != std::string::npos; }, seconds);
    }

    int programStatus() { return exitStatus(programPid, status, ended); }

    int waitForExit(double seconds = 15) {
        waitFor([&] { return programStatus() >= 0; }, seconds);
        return programStatus();
    }

    RunDirectory run;
    pid_t serverPid = -1;
    pid_t programPid = -1;
    int status = -1;
    bool ended = false;
    std::string display;
    std::unique_ptr<vexmolda::testing::XServerAccess> x;
    unsigned long window = 0;
};

// Screen points of the default 800 x 600 window (8 pixels per unit across, 6 down).
constexpr int domainTabX = 10, domainTabY = 40;
constexpr int messagesTabX = 10, messagesTabY = 585;
// Inside the open window, clear of its text: the gap left of the column rule,
// and low in the operations column where the message panel reaches.
constexpr int windowPointX = 388, windowPointY = 300;
constexpr int panelPointX = 600, panelPointY = 564;
constexpr Rgb background{200, 200, 200};
constexpr Rgb windowBlue{128, 180, 255};
constexpr Rgb panelGrey{191, 191, 191};

TEST_F(GuiSession, TypedCommandsReprintTheReportAndTabsSlideTheirWindowsIn) {
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    startProgram();
    ASSERT_TRUE(outputHas("Types: any, cargo, place\n")) << output();

    typeLine("type foo");
    ASSERT_TRUE(outputHas("Types: any, cargo, foo, place\n")) << output();

    expectPixel(windowPointX, windowPointY, background, "closed windows leave the background");
    clickAt(domainTabX, domainTabY);
    expectPixel(windowPointX, windowPointY, windowBlue, "the Domain tab slides its window in");

    // One message line raises the panel over the window's lower edge; "^^" hides it.
    typeLine("frobnicate");
    ASSERT_TRUE(outputHas("Unknown command or not enough parameters\n")) << output();
    expectPixel(panelPointX, panelPointY, panelGrey, "the message panel shows the message");
    clickAt(messagesTabX, messagesTabY);
    expectPixel(panelPointX, panelPointY, windowBlue, "the \"^^\" tab hides the message panel");
    expectPixel(messagesTabX, messagesTabY - 20, {220, 220, 220}, "the \"^^\" tab turns light");

    requestClose();
    EXPECT_EQ(waitForExit(), 0) << "closing the window ends the program with status 0";
}

TEST_F(GuiSession, WithoutTheStartupFileTheWindowOpensAndQuitEndsIt) {
    startProgram();
    ASSERT_TRUE(outputHas("File \"rocket.pln\" not found\n")) << output();
    // No file was loaded, so nothing was wiped: not even "any" exists yet.
    EXPECT_EQ(output().rfind("Types: \n", 0), 0u) << output();
    typeLine("q");
    EXPECT_EQ(waitForExit(), 0) << output();
}

TEST(GuiWithoutDisplay, SaysSoPrintsTheReportOnceAndEndsWell) {
    RunDirectory run;
    std::ofstream(run.path / "rocket.pln") << smallDomain;
    const pid_t pid = spawn({VEXMOLDA_PROGRAM}, run.path, environmentWith(""), run.path / "out.txt");
    int status = -1;
    bool ended = false;
    const bool finished = waitFor([&] { return exitStatus(pid, status, ended) >= 0; }, 30);
    if (!finished) stop(pid);
    ASSERT_TRUE(finished) << "the program did not end without a display";
    EXPECT_EQ(status, 0);
    const std::string output = readFile(run.path / "out.txt");
    EXPECT_EQ(output.rfind("GLFW failed to initialize!\n", 0), 0u) << output;
    const std::size_t report = output.find("Types: any, cargo, place\n");
    EXPECT_NE(report, std::string::npos) << output;
    EXPECT_EQ(output.find("Types:", report + 1), std::string::npos) << "printed more than once: " << output;
}

}  // namespace
