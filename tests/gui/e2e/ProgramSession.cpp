#include "ProgramSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace vexmolda::testing {

namespace fs = std::filesystem;

namespace {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

Colour fromRgb(long rgb) {
    if (rgb < 0) return {-1, -1, -1};
    return {static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF)};
}

}  // namespace

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

pid_t spawn(const std::vector<std::string>& arguments, const fs::path& directory,
            const std::vector<std::string>& environment, const fs::path& output, int keepFd) {
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

int exitStatus(pid_t pid, int& status, bool& ended) {
    if (ended) return status;
    // waitpid with no process would reap any child, the X server among them.
    if (pid <= 0) return -1;
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

bool near(Colour actual, Colour wanted) {
    return std::abs(actual.r - wanted.r) <= 2 && std::abs(actual.g - wanted.g) <= 2 && std::abs(actual.b - wanted.b) <= 2;
}

std::ostream& operator<<(std::ostream& out, Colour colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

RunDirectory::RunDirectory() {
    std::string pattern = (fs::temp_directory_path() / "vexmolda-session-XXXXXX").string();
    path = mkdtemp(pattern.data());
}

RunDirectory::~RunDirectory() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void ProgramSession::SetUp() {
    for (const char* needed : {"Xvfb", "xdotool"}) {
        if (!onPath(needed))
            GTEST_SKIP() << "window session skipped: " << needed << " not found (install xvfb and xdotool)";
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
    if (number.empty())
        GTEST_SKIP() << "window session skipped: Xvfb did not start: " << readFile(run.path / "xvfb.log.err");
    display = ":" + number;
    xServer = std::make_unique<XServerAccess>(display);
    ASSERT_TRUE(xServer->connected()) << "cannot connect to " << display;
    fs::copy_file(VEXMOLDA_FONT_FILE, run.path / "verdanasmall.glf");
}

void ProgramSession::TearDown() {
    stop(programPid);
    xServer.reset();
    stop(serverPid);
}

void ProgramSession::startProgram() {
    // A build of the program with a sanitizer can stand in for the usual one.
    const char* program = std::getenv("VEXMOLDA_PROGRAM_UNDER_TEST");
    programPid = spawn({program && *program ? program : VEXMOLDA_PROGRAM}, run.path, environmentWith(display),
                       run.path / "out.txt");
    std::string found;
    ASSERT_TRUE(waitFor(
        [&] {
            found = tool("xdotool search --name '^Vexmolda$'");
            return !found.empty() || !running();
        },
        30))
        << "no window; output: " << output();
    ASSERT_FALSE(found.empty()) << "the program ended: " << output() << readFile(run.path / "out.txt.err");
    window = std::stoul(found);
    // Without a window manager the keyboard goes to the window under the pointer.
    moveTo(400, 300);
}

std::string ProgramSession::tool(const std::string& command) {
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

void ProgramSession::typeLine(const std::string& text) {
    tool("xdotool type --delay 5 '" + text + "'");
    tool("xdotool key Return");
}

void ProgramSession::moveTo(int px, int py) {
    tool("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(px) + " " + std::to_string(py));
}

void ProgramSession::clickAt(int px, int py) {
    tool("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(px) + " " + std::to_string(py) +
         " click 1");
}

Colour ProgramSession::pixel(int px, int py) {
    const std::vector<long> read = xServer->pixels(window, px, py, 1, 1);
    return fromRgb(read.empty() ? -1 : read.front());
}

std::vector<Colour> ProgramSession::pixels(int px, int py, int width, int height) {
    std::vector<Colour> result;
    for (const long rgb : xServer->pixels(window, px, py, width, height)) result.push_back(fromRgb(rgb));
    return result;
}

int ProgramSession::countPixels(int px, int py, int width, int height, const std::function<bool(Colour)>& accept) {
    int count = 0;
    for (const Colour colour : pixels(px, py, width, height)) count += accept(colour) ? 1 : 0;
    return count;
}

void ProgramSession::requestClose() { xServer->requestClose(window); }

std::string ProgramSession::output() { return readFile(run.path / "out.txt"); }

bool ProgramSession::outputHas(const std::string& text, double seconds) {
    return waitFor([&] { return output().find(text) != std::string::npos; }, seconds);
}

int ProgramSession::programStatus() { return exitStatus(programPid, status, ended); }

bool ProgramSession::running() { return programPid > 0 && programStatus() < 0; }

int ProgramSession::waitForExit(double seconds) {
    waitFor([&] { return programStatus() >= 0; }, seconds);
    return programStatus();
}

}  // namespace vexmolda::testing
