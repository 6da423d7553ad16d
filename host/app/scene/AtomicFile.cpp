#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "SceneError.h"

namespace {

// A replaced file keeps its permissions; a new one gets those the umask allows.
mode_t ModeFor(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& text) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');

    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        throw SceneError(path + ": cannot create a temporary file: " + std::strerror(errno));
    }
    const bool written = WriteAll(fd, text) && ::fchmod(fd, ModeFor(path)) == 0 && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(tempName.data());
        throw SceneError(path + ": cannot write: " + std::strerror(written ? errno : writeErrno));
    }
    if (std::rename(tempName.data(), path.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(tempName.data());
        throw SceneError(path + ": cannot replace the file: " + std::strerror(renameErrno));
    }
}
