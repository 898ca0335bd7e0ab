#include "runtime/ComPort.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "support/Pty.h"
#include "support/TempConfigHome.h"

namespace orvanta::test {
namespace {

// Runs the check in a forked child and tells whether it held there.
bool InAChild(bool (*check)()) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(check() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ComPortOnPty : public ::testing::Test {
protected:
    static constexpr int16_t kCom = 12, kOtherCom = 13, kBps = 300;

    void SetUp() override { link = pty.LinkAsCom(kCom, home.Path()); }

    int SlaveIoctl(unsigned long request) const {
        int value = 0;
        EXPECT_EQ(::ioctl(pty.SlaveFd(), request, &value), 0);
        return value;
    }
    // Bytes waiting in the driver, whoever reads them.
    size_t Queued() const { return static_cast<size_t>(SlaveIoctl(FIONREAD)); }
    bool IsExclusive() const { return SlaveIoctl(TIOCGEXCL) != 0; }

    // The kernel hands pty bytes over asynchronously; this waits until all have arrived.
    void Send(std::string_view bytes) {
        pty.Write(bytes);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (Queued() < bytes.size() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(Queued(), bytes.size());
    }

    static bool OtherObjectCanOpen() { return ComPort().OpenPort(kCom, kBps); }
    static bool OtherObjectRefused() { ComPort other; return !other.OpenPort(kCom, kBps) && !other.IsPortOpen(); }
    static auto OpenDescriptors() { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); }

    TempConfigHome home;
    Pty pty;
    std::string link;
    ComPort port;
};

// A dangling link stands for an unplugged adapter.
TEST_F(ComPortOnPty, DeviceIsTheLinkOrFallsBackToTtyS) {
    const auto links = std::filesystem::path(home.Path()) / "KerrwickSystems" / "dosdevices";
    std::filesystem::create_symlink(links / "unplugged", links / "com5");
    const std::vector<std::pair<int, std::string>> cases = {
        {kCom, link}, {1, "/dev/ttyS0"}, {3, "/dev/ttyS2"}, {5, "/dev/ttyS4"}};
    for (const auto& [com, device] : cases) EXPECT_EQ(ComPort::DeviceForPort(com), device) << com;
}

// Opening again closes the previous handle first, also when the new open fails.
TEST_F(ComPortOnPty, ReopenClosesThePreviousHandleFirst) {
    Pty otherPty;
    otherPty.LinkAsCom(kOtherCom, home.Path());
    const std::vector<std::tuple<int16_t, int16_t, bool>> cases = {
        {kCom, kBps, true}, {kOtherCom, kBps, true}, {0, kBps, false}, {kCom, 1234, false}};
    for (const auto& [com, bps, opens] : cases) {
        SCOPED_TRACE(testing::Message() << "COM" << com << " at " << bps);
        ASSERT_TRUE(port.OpenPort(kCom, kBps));
        const auto openFds = OpenDescriptors();
        EXPECT_EQ(port.OpenPort(com, bps), opens);
        EXPECT_EQ(port.IsPortOpen(), opens);
        EXPECT_EQ(OpenDescriptors(), opens ? openFds : openFds - 1);
        EXPECT_EQ(OtherObjectCanOpen(), com != kCom || !opens);
        port.ClosePort();
    }
}

// A held port refuses every other opener, who must not loosen the holder's grip or its
// line. ReadPort reads byte by byte, so what follows the line feed stays in the driver
// until read or purged. Closing, even twice, lets go of the port.
TEST_F(ComPortOnPty, HeldPortReadsUpToOneLineFeedUntilClosed) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    EXPECT_TRUE(OtherObjectRefused());
    EXPECT_TRUE(InAChild(OtherObjectRefused));
    EXPECT_TRUE(IsExclusive());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"12345", "12345"}, {"abc\r\nde", "abc\r\n"}, {"\xff\x80\n", "\xff\x80\n"}};
    for (const auto& [sent, read] : cases) {
        SCOPED_TRACE(sent);
        Send(sent);
        EXPECT_EQ(port.ReadPort(), read);
        EXPECT_EQ(Queued(), sent.size() - read.size());
        EXPECT_EQ(port.ReadPort(), sent.substr(read.size()));
        EXPECT_EQ(port.ReadPort(), "");  // nothing waiting
    }
    Send("stale");
    EXPECT_TRUE(port.PurgePort());
    EXPECT_EQ(Queued(), 0u);
    port.ClosePort();
    port.ClosePort();
    EXPECT_FALSE(port.IsPortOpen());
    EXPECT_FALSE(IsExclusive());
    EXPECT_TRUE(OtherObjectCanOpen());
}

// Flow control stays as the device's owner set it up; everything else is made raw.
TEST_F(ComPortOnPty, OpenMakesTheLineRawAndKeepsFlowControl) {
    const std::vector<std::tuple<int16_t, speed_t, tcflag_t, tcflag_t>> cases = {
        {300, B300, 0, 0}, {19200, B19200, IXON | IXOFF | IXANY, CRTSCTS}};
    for (const auto& [bps, speed, inputFlow, hardwareFlow] : cases) {
        SCOPED_TRACE(bps);
        termios tio{};
        ASSERT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);  // the master's mode calls act on the slave
        tio.c_iflag = (tio.c_iflag & ~(IXON | IXOFF | IXANY)) | inputFlow | ICRNL | INLCR | ISTRIP;
        tio.c_cflag = (tio.c_cflag & ~CRTSCTS) | hardwareFlow | CSTOPB | PARENB;
        tio.c_lflag |= ICANON | ECHO | ECHOE | ISIG | IEXTEN;
        tio.c_oflag |= OPOST;
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 5;
        ASSERT_EQ(::tcsetattr(pty.MasterFd(), TCSANOW, &tio), 0);

        ASSERT_TRUE(port.OpenPort(kCom, bps));
        ASSERT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
        const auto raw = std::make_tuple(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CLOCAL | CREAD),
                                         tio.c_lflag & (ICANON | ECHO | ECHOE | ISIG | IEXTEN),
                                         tio.c_iflag & (ICRNL | INLCR | ISTRIP), tio.c_oflag & OPOST, tio.c_cc[VMIN],
                                         tio.c_cc[VTIME]);
        EXPECT_EQ(raw, std::make_tuple(tcflag_t{CS8 | CLOCAL | CREAD}, 0u, 0u, 0u, cc_t{1}, cc_t{0}));
        EXPECT_EQ(std::make_tuple(tio.c_iflag & (IXON | IXOFF | IXANY), tio.c_cflag & CRTSCTS, ::cfgetispeed(&tio)),
                  std::make_tuple(inputFlow, hardwareFlow, speed));
        port.ClosePort();
    }
}

}  // namespace
}  // namespace orvanta::test
