#include "records/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvanta {

namespace {

std::string LastErrorDescription() { return std::strerror(errno); }

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// Write errors after a successful open are not reported, as with a buffered file.
void WriteAll(int fd, const std::string& text) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

FileError WriteWith(const std::string& path, int openFlags, bool lockExclusive,
                    const std::vector<std::string>& lines) {
    const int fd = ::open(path.c_str(), openFlags | O_CLOEXEC, 0644);
    if (fd < 0) return LastErrorDescription();
    if (lockExclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        auto error = LastErrorDescription();
        ::close(fd);
        return error;
    }
    if (lockExclusive && ::ftruncate(fd, 0) != 0) {
        auto error = LastErrorDescription();
        ::close(fd);
        return error;
    }
    WriteAll(fd, JoinLines(lines));
    ::close(fd);
    return std::nullopt;
}

}  // namespace

FileError AppendLines(const std::string& path, const std::vector<std::string>& lines) {
    return WriteWith(path, O_WRONLY | O_CREAT | O_APPEND, false, lines);
}

// Truncating only after the lock is held keeps a reader's copy whole.
FileError RewriteFile(const std::string& path, const std::vector<std::string>& lines) {
    return WriteWith(path, O_WRONLY | O_CREAT, true, lines);
}

}  // namespace orvanta
