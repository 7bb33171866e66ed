#include "command/ReadableFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace vexmolda {

std::FILE* openReadableFile(const std::string& name, const char* mode, TextBuffer& messages) {
    std::FILE* file = std::fopen(name.c_str(), mode);
    if (!file) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            messages.append("File \"" + name + "\" not found\n");
        } else {
            messages.append("File \"" + name + "\" cannot be read: " + std::strerror(error) + "\n");
        }
        return nullptr;
    }
    // A directory opens for reading; only its first read would fail.
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        messages.append("File \"" + name + "\" is a directory\n");
        return nullptr;
    }
    return file;
}

std::string readFailedMessage(const std::string& name, int line, int error) {
    return "File \"" + name + "\" cannot be read at line " + std::to_string(line) + ": " + std::strerror(error) +
           "\n";
}

}  // namespace vexmolda
