#include "support/Pty.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>

namespace orvanta::test {
namespace {

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

Pty::Pty() {
    char name[PATH_MAX] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) ThrowErrno("openpty");
    slavePath_ = name;
}

Pty::~Pty() {
    ::close(slave_);
    ::close(master_);
}

void Pty::Write(std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowErrno("write to pty master");
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

bool Pty::WaitForInput(int timeoutMs) const {
    pollfd pfd{slave_, POLLIN, 0};
    return ::poll(&pfd, 1, timeoutMs) > 0 && (pfd.revents & POLLIN) != 0;
}

std::string Pty::LinkAsCom(int n, const std::string& configHome) const {
    const std::filesystem::path dir = std::filesystem::path(configHome) / "KerrwickSystems" / "dosdevices";
    std::filesystem::create_directories(dir);
    const std::filesystem::path link = dir / ("com" + std::to_string(n));
    std::filesystem::remove(link);
    std::filesystem::create_symlink(slavePath_, link);
    return link.string();
}

}  // namespace orvanta::test
