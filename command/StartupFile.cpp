#include "command/StartupFile.h"

#include <system_error>

namespace vexmolda {

namespace fs = std::filesystem;

fs::path installedDataDirectory(const fs::path& executable) {
    if (executable.empty()) return {};
    // Relative to the executable, so a prefix that was moved as a whole still works.
    return executable.parent_path().parent_path() / "share" / "vexmolda";
}

std::string locateStartupFile(const std::string& name, const std::string& installedName,
                              const fs::path& workingDirectory, const fs::path& executable) {
    std::error_code error;
    if (fs::exists(workingDirectory / name, error)) return name;
    const fs::path data = installedDataDirectory(executable);
    if (!data.empty() && fs::is_regular_file(data / installedName, error)) return (data / installedName).string();
    return name;
}

fs::path runningExecutable() {
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable;
}

std::string startupFile(const std::string& name, const std::string& installedName) {
    std::error_code error;
    const fs::path workingDirectory = fs::current_path(error);
    if (error) return name;
    return locateStartupFile(name, installedName, workingDirectory, runningExecutable());
}

}  // namespace vexmolda
