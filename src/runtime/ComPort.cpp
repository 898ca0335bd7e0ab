#include "runtime/ComPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <utility>

namespace orvanta {
namespace {

// A byte the sensor is still clocking out gets this long to show up.
constexpr int kByteWaitMs = 2;

// Only rates that fit the caller's int16_t can ever be asked for.
constexpr std::array<std::pair<int, speed_t>, 14> kSpeeds{{
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
    {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
    {19200, B19200},
}};

std::optional<speed_t> SpeedFor(int bps) {
    const auto* found = std::find_if(kSpeeds.begin(), kSpeeds.end(),
                                     [bps](const auto& entry) { return entry.first == bps; });
    if (found == kSpeeds.end()) return std::nullopt;
    return found->second;
}

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

void MakeRaw(termios& tio, speed_t speed) {
    // Flow control (IXON/IXOFF/IXANY, CRTSCTS) stays as the device was set up by its owner.
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
}

bool ApplyLineSettings(int fd, speed_t speed) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    MakeRaw(tio, speed);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

enum class ReadOutcome { Byte, Nothing, Gone };

ReadOutcome ReadOneByte(int fd, uint8_t& byte) {
    for (;;) {
        const ssize_t n = ::read(fd, &byte, 1);
        if (n == 1) return ReadOutcome::Byte;
        if (n == 0) return ReadOutcome::Gone;
        if (errno == EAGAIN) return ReadOutcome::Nothing;
        if (errno != EINTR) return ReadOutcome::Gone;
    }
}

bool WaitReadable(int fd, int timeoutMs) {
    pollfd pfd{fd, POLLIN, 0};
    return ::poll(&pfd, 1, timeoutMs) > 0;
}

}  // namespace

ComPort::~ComPort() { ClosePort(); }

std::string ComPort::DeviceForPort(int portnum) {
    if (portnum > 0) {
        const std::string link = ConfigHome() + "/KerrwickSystems/dosdevices/com" + std::to_string(portnum);
        // access() follows the link, so one pointing at an unplugged adapter falls through.
        if (::access(link.c_str(), F_OK) == 0) return link;
    }
    return "/dev/ttyS" + std::to_string(portnum - 1);
}

bool ComPort::OpenPort(const int16_t& portnum, const int16_t& bps) {
    ClosePort();
    const std::optional<speed_t> speed = SpeedFor(bps);
    if (!speed) return false;
    handle = ::open(DeviceForPort(portnum).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle == -1) return false;
    // TIOCEXCL alone lets root in, the flock keeps out everyone. Someone else's port is
    // only closed here, never unlocked or un-exclusived.
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        ::close(std::exchange(handle, -1));
        return false;
    }
    if (::ioctl(handle, TIOCEXCL) != 0 || !ApplyLineSettings(handle, *speed)) {
        ClosePort();
        return false;
    }
    return true;
}

void ComPort::ClosePort() {
    if (!IsPortOpen()) return;
    // Another holder of the tty keeps it alive past our close, and with it the exclusive
    // flag; a forked child may keep the locked descriptor. Release both explicitly.
    ::ioctl(handle, TIOCNXCL);
    ::flock(handle, LOCK_UN);
    ::close(std::exchange(handle, -1));
}

bool ComPort::ReadPortRaw(uint8_t& Buf) {
    if (!IsPortOpen()) return false;
    const ReadOutcome first = ReadOneByte(handle, Buf);
    if (first != ReadOutcome::Nothing) return first == ReadOutcome::Byte;
    return WaitReadable(handle, kByteWaitMs) && ReadOneByte(handle, Buf) == ReadOutcome::Byte;
}

std::string ComPort::ReadPort() {
    // Byte by byte so whatever follows the line feed stays queued in the driver.
    std::string text;
    uint8_t byte = 0;
    while (ReadPortRaw(byte)) {
        text.push_back(static_cast<char>(byte));
        if (byte == '\n') break;
    }
    return text;
}

bool ComPort::PurgePort() { return IsPortOpen() && ::tcflush(handle, TCIOFLUSH) == 0; }

}  // namespace orvanta
