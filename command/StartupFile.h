#pragma once
// Finding the files the window program reads at start-up: in the working
// directory, else in the data directory of the prefix it is installed in.

#include <filesystem>
#include <string>

namespace vexmolda {

// PREFIX/share/vexmolda for an executable PREFIX/bin/NAME; empty for an empty path.
std::filesystem::path installedDataDirectory(const std::filesystem::path& executable);

// The path to open for `name`: `name` itself when the working directory holds
// it, else `installedName` in the installed data directory when it is there,
// else `name` (so a missing file is reported under its plain name).
std::string locateStartupFile(const std::string& name, const std::string& installedName,
                              const std::filesystem::path& workingDirectory,
                              const std::filesystem::path& executable);

// This process's executable, symbolic links resolved; empty when unknown.
std::filesystem::path runningExecutable();

// locateStartupFile for this process's working directory and executable.
std::string startupFile(const std::string& name, const std::string& installedName);

}  // namespace vexmolda
