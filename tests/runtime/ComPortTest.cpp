#include "runtime/ComPort.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "support/Pty.h"
#include "support/TempConfigHome.h"

namespace orvanta::test {
namespace {

// A dangling link stands for an unplugged adapter.
TEST(ComPortDevice, FindsTheLinkOrFallsBackToTtyS) {
    TempConfigHome home;
    Pty pty;
    const std::string link = pty.LinkAsCom(12, home.Path());
    const auto links = std::filesystem::path(home.Path()) / "KerrwickSystems" / "dosdevices";
    std::filesystem::create_symlink(links / "unplugged", links / "com5");
    const std::vector<std::pair<int, std::string>> cases = {
        {12, link}, {1, "/dev/ttyS0"}, {3, "/dev/ttyS2"}, {5, "/dev/ttyS4"}};
    for (const auto& [com, device] : cases) {
        EXPECT_EQ(ComPort::DeviceForPort(com), device) << com;
    }
}

class ComPortOnPty : public ::testing::Test {
protected:
    static constexpr int16_t kCom = 12;
    static constexpr int16_t kBps = 300;

    void SetUp() override { pty.LinkAsCom(kCom, home.Path()); }

    // Bytes waiting in the driver, whoever reads them.
    size_t Queued() const {
        int count = 0;
        EXPECT_EQ(::ioctl(pty.SlaveFd(), FIONREAD, &count), 0);
        return static_cast<size_t>(count);
    }

    // The kernel hands pty bytes over asynchronously; this waits until all have arrived.
    void Send(std::string_view bytes) {
        pty.Write(bytes);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (Queued() < bytes.size() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(Queued(), bytes.size());
    }

    bool IsExclusive() const {
        int exclusive = 0;
        EXPECT_EQ(::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive), 0);
        return exclusive != 0;
    }

    bool OtherObjectCanOpen() {
        ComPort other;
        return other.OpenPort(kCom, kBps);
    }

    TempConfigHome home;
    Pty pty;
    ComPort port;
};

TEST_F(ComPortOnPty, FailedOpenLeavesNothingOpenOrHeld) {
    for (const auto& [com, bps] : std::vector<std::pair<int16_t, int16_t>>{{0, kBps}, {kCom, 1234}}) {
        SCOPED_TRACE(testing::Message() << "COM" << com << " at " << bps);
        ASSERT_TRUE(port.OpenPort(kCom, kBps));
        EXPECT_FALSE(port.OpenPort(com, bps));
        EXPECT_FALSE(port.IsPortOpen());
        EXPECT_TRUE(OtherObjectCanOpen());
    }
}

size_t OpenDescriptorCount() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<size_t>(std::distance(begin(fds), end(fds)));
}

TEST_F(ComPortOnPty, ReopenClosesThePreviousHandleFirst) {
    Pty otherPty;
    otherPty.LinkAsCom(kCom + 1, home.Path());
    for (const int16_t target : {kCom, static_cast<int16_t>(kCom + 1)}) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(port.OpenPort(kCom, kBps));
        const size_t openFds = OpenDescriptorCount();
        EXPECT_TRUE(port.OpenPort(target, kBps));
        EXPECT_EQ(OpenDescriptorCount(), openFds);
        EXPECT_EQ(OtherObjectCanOpen(), target != kCom);
        port.ClosePort();
    }
}

TEST_F(ComPortOnPty, HeldPortRefusesEveryOtherOpener) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    const auto refusedHere = [] {
        ComPort second;
        return !second.OpenPort(kCom, kBps) && !second.IsPortOpen();
    };
    const auto refusedInAChild = [&refusedHere] {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(refusedHere() ? 0 : 1);
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    const std::vector<std::pair<const char*, std::function<bool()>>> openers = {
        {"another object", refusedHere}, {"another process", refusedInAChild}};
    for (const auto& [opener, refused] : openers) {
        SCOPED_TRACE(opener);
        EXPECT_TRUE(refused());
        // The refused opener must not have loosened the holder's grip or its line.
        EXPECT_TRUE(IsExclusive());
        Send("still mine\n");
        EXPECT_EQ(port.ReadPort(), "still mine\n");
    }
}

TEST_F(ComPortOnPty, CloseReleasesThePortAndIsHarmlessTwice) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    Send("left behind\n");
    port.ClosePort();
    port.ClosePort();
    EXPECT_FALSE(port.IsPortOpen());
    EXPECT_EQ(port.ReadPort(), "");
    EXPECT_FALSE(port.PurgePort());
    EXPECT_FALSE(IsExclusive());
    EXPECT_TRUE(OtherObjectCanOpen());
}

// ReadPort reads byte by byte, so what follows the line feed stays in the driver.
TEST_F(ComPortOnPty, ReadPortReturnsUpToOneLineFeed) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"12345", "12345"}, {"abc\r\nde", "abc\r\n"}, {"\xff\x80\n", "\xff\x80\n"}};
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    for (const auto& [sent, read] : cases) {
        SCOPED_TRACE(sent);
        Send(sent);
        EXPECT_EQ(port.ReadPort(), read);
        EXPECT_EQ(Queued(), sent.size() - read.size());
        EXPECT_EQ(port.ReadPort(), sent.substr(read.size()));
        EXPECT_EQ(port.ReadPort(), "");  // nothing waiting
    }
}

TEST_F(ComPortOnPty, PurgeDiscardsWaitingInput) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    Send("stale");
    EXPECT_TRUE(port.PurgePort());
    EXPECT_EQ(Queued(), 0u);
}

// Flow control stays as the device's owner set it up; everything else is made raw.
TEST_F(ComPortOnPty, OpenMakesTheLineRawAndKeepsFlowControl) {
    const std::vector<std::tuple<int16_t, speed_t, tcflag_t, tcflag_t>> cases = {
        {300, B300, 0, 0}, {19200, B19200, IXON | IXOFF | IXANY, CRTSCTS}};
    for (const auto& [bps, speed, inputFlow, hardwareFlow] : cases) {
        SCOPED_TRACE(bps);
        termios before{};
        ASSERT_EQ(::tcgetattr(pty.MasterFd(), &before), 0);  // the master's mode calls act on the slave
        before.c_iflag = (before.c_iflag & ~(IXON | IXOFF | IXANY)) | inputFlow | ICRNL | INLCR | ISTRIP;
        before.c_cflag = (before.c_cflag & ~CRTSCTS) | hardwareFlow | CSTOPB | PARENB;
        before.c_lflag |= ICANON | ECHO | ECHOE | ISIG | IEXTEN;
        before.c_oflag |= OPOST;
        before.c_cc[VMIN] = 0;
        before.c_cc[VTIME] = 5;
        ASSERT_EQ(::tcsetattr(pty.MasterFd(), TCSANOW, &before), 0);

        ASSERT_TRUE(port.OpenPort(kCom, bps));
        termios after{};
        ASSERT_EQ(::tcgetattr(pty.MasterFd(), &after), 0);
        const tcflag_t framing = CSIZE | PARENB | CSTOPB | CLOCAL | CREAD;
        EXPECT_EQ(after.c_cflag & framing, static_cast<tcflag_t>(CS8 | CLOCAL | CREAD));
        EXPECT_EQ(after.c_lflag & (ICANON | ECHO | ECHOE | ISIG | IEXTEN), 0u);
        EXPECT_EQ(after.c_iflag & (ICRNL | INLCR | ISTRIP), 0u);
        EXPECT_EQ(after.c_oflag & OPOST, 0u);
        EXPECT_EQ(after.c_cc[VMIN], 1);
        EXPECT_EQ(after.c_cc[VTIME], 0);
        EXPECT_EQ(::cfgetispeed(&after), speed);
        EXPECT_EQ(after.c_iflag & (IXON | IXOFF | IXANY), inputFlow);
        EXPECT_EQ(after.c_cflag & CRTSCTS, hardwareFlow);
        port.ClosePort();
    }
}

}  // namespace
}  // namespace orvanta::test
