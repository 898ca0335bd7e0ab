#include "runtime/ComPort.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/Pty.h"
#include "support/TempConfigHome.h"

namespace orvanta {
namespace {

using test::Pty;
using test::TempConfigHome;

// Generous, only ever waited out when something is broken.
constexpr int kArrivalMs = 2000;

// The kernel hands pty bytes over asynchronously, so a line may come in pieces.
std::string ReadAtLeast(ComPort& port, size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kArrivalMs);
    std::string text;
    while (text.size() < count && std::chrono::steady_clock::now() < deadline) text += port.ReadPort();
    return text;
}

bool IsExclusive(const Pty& pty) {
    int exclusive = 0;
    EXPECT_EQ(::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive), 0);
    return exclusive != 0;
}

size_t OpenDescriptorCount() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<size_t>(std::distance(begin(fds), end(fds)));
}

termios LineSettings(const Pty& pty) {
    // Mode ioctls on the master act on the slave's settings.
    termios tio{};
    EXPECT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
    return tio;
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (previous_)
            ::setenv(name_, previous_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

class ComPortOnPty : public ::testing::Test {
protected:
    static constexpr int16_t kCom = 12;
    static constexpr int16_t kBps = 300;

    void SetUp() override { pty.LinkAsCom(kCom, home.Path()); }

    void OpenAndSend(std::string_view bytes) {
        ASSERT_TRUE(port.OpenPort(kCom, kBps));
        pty.Write(bytes);
        ASSERT_TRUE(pty.WaitForInput(kArrivalMs));
    }

    bool OtherObjectCanOpen() {
        ComPort other;
        return other.OpenPort(kCom, kBps);
    }

    TempConfigHome home;
    Pty pty;
    ComPort port;
};

TEST(ComPortDevice, FindsTheLinkUnderTheConfigHome) {
    struct Case {
        const char* name;
        std::optional<const char*> xdgConfigHome;  // nullopt: leave the temp dir in place
        std::string linkBelowHome;
    };
    const std::vector<Case> cases = {
        {"XDG_CONFIG_HOME set", std::nullopt, ""},
        {"XDG_CONFIG_HOME unset", nullptr, ".config"},
        {"XDG_CONFIG_HOME empty", "", ".config"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempConfigHome home;
        ScopedEnv homeVar("HOME", home.Path().c_str());
        std::optional<ScopedEnv> xdg;
        if (c.xdgConfigHome) xdg.emplace("XDG_CONFIG_HOME", *c.xdgConfigHome);
        Pty pty;
        const std::string link = pty.LinkAsCom(12, (std::filesystem::path(home.Path()) / c.linkBelowHome).string());
        EXPECT_EQ(ComPort::DeviceForPort(12), link);
    }
}

TEST(ComPortDevice, FallsBackToTtySWithoutALiveLink) {
    struct Case {
        int com;
        bool danglingLink;
        std::string device;
    };
    const std::vector<Case> cases = {
        {3, false, "/dev/ttyS2"},
        {1, false, "/dev/ttyS0"},
        {5, true, "/dev/ttyS4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.com);
        TempConfigHome home;
        if (c.danglingLink) {
            const auto dir = std::filesystem::path(home.Path()) / "KerrwickSystems" / "dosdevices";
            std::filesystem::create_directories(dir);
            std::filesystem::create_symlink(dir / "unplugged", dir / ("com" + std::to_string(c.com)));
        }
        EXPECT_EQ(ComPort::DeviceForPort(c.com), c.device);
    }
}

TEST_F(ComPortOnPty, OpenFailsCleanly) {
    struct Case {
        const char* name;
        int16_t com;
        int16_t bps;
    };
    const std::vector<Case> cases = {
        {"COM0", 0, kBps},
        {"negative port", -3, kBps},
        {"unknown rate", kCom, 1234},
        {"zero rate", kCom, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPort attempt;
        EXPECT_FALSE(attempt.OpenPort(c.com, c.bps));
        EXPECT_FALSE(attempt.IsPortOpen());
        EXPECT_TRUE(OtherObjectCanOpen()) << "a failed open left the port held";
    }
}

TEST_F(ComPortOnPty, FailedReopenLeavesNothingOpen) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    EXPECT_FALSE(port.OpenPort(0, kBps));
    EXPECT_FALSE(port.IsPortOpen());
    EXPECT_TRUE(OtherObjectCanOpen());
}

TEST_F(ComPortOnPty, ReopenClosesThePreviousDescriptorFirst) {
    constexpr int16_t kOtherCom = 13;
    Pty otherPty;
    otherPty.LinkAsCom(kOtherCom, home.Path());
    for (const int16_t target : {kCom, kOtherCom}) {
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
    struct Opener {
        const char* name;
        std::function<bool()> refused;
    };
    const std::vector<Opener> openers = {
        {"another object",
         [] {
             ComPort second;
             return !second.OpenPort(kCom, kBps) && !second.IsPortOpen();
         }},
        {"another process",
         [] {
             const pid_t child = ::fork();
             if (child == 0) {
                 ComPort second;
                 ::_exit(!second.OpenPort(kCom, kBps) && !second.IsPortOpen() ? 0 : 1);
             }
             int status = 0;
             return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                    WEXITSTATUS(status) == 0;
         }},
    };
    for (const Opener& opener : openers) {
        SCOPED_TRACE(opener.name);
        EXPECT_TRUE(opener.refused());
        // The refused opener must not have loosened the holder's grip or its line.
        EXPECT_TRUE(IsExclusive(pty));
        pty.Write("still mine\n");
        EXPECT_EQ(ReadAtLeast(port, 11), "still mine\n");
    }
}

TEST_F(ComPortOnPty, CloseReleasesThePortAndIsHarmlessTwice) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    EXPECT_TRUE(IsExclusive(pty));
    port.ClosePort();
    EXPECT_FALSE(port.IsPortOpen());
    port.ClosePort();
    EXPECT_FALSE(port.IsPortOpen());
    EXPECT_FALSE(IsExclusive(pty));
    EXPECT_TRUE(OtherObjectCanOpen());

    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    pty.Write("again\n");
    EXPECT_EQ(ReadAtLeast(port, 6), "again\n");
}

TEST_F(ComPortOnPty, DestroyingAnOpenPortReleasesIt) {
    {
        ComPort scoped;
        ASSERT_TRUE(scoped.OpenPort(kCom, kBps));
    }
    EXPECT_TRUE(OtherObjectCanOpen());
}

TEST_F(ComPortOnPty, ReadPortReturnsOneLineAtATime) {
    struct Case {
        const char* name;
        std::string sent;
        std::vector<std::string> reads;
    };
    const std::vector<Case> cases = {
        {"no line feed", "12345", {"12345"}},
        {"rest stays queued", "abc\r\nde", {"abc\r\n", "de"}},
        {"two lines", "x\ny\n", {"x\n", "y\n"}},
        {"carriage return is data", "ab\rcd\n", {"ab\rcd\n"}},
        {"NUL bytes", std::string("a\0b\0\n", 5), {std::string("a\0b\0\n", 5)}},
        {"eighth bit kept", "\xff\x80\n", {"\xff\x80\n"}},
    };
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pty.Write(c.sent);
        for (const std::string& expected : c.reads) EXPECT_EQ(ReadAtLeast(port, expected.size()), expected);
        EXPECT_EQ(port.ReadPort(), "");
    }
}

TEST_F(ComPortOnPty, NothingWaitingReadsNothing) {
    ASSERT_TRUE(port.OpenPort(kCom, kBps));
    uint8_t byte = 0;
    EXPECT_FALSE(port.ReadPortRaw(byte));
    EXPECT_EQ(port.ReadPort(), "");
}

TEST_F(ComPortOnPty, PurgeDropsWaitingInputOnly) {
    OpenAndSend("stale");
    EXPECT_TRUE(port.PurgePort());
    EXPECT_EQ(port.ReadPort(), "");
    pty.Write("fresh\n");
    EXPECT_EQ(ReadAtLeast(port, 6), "fresh\n");
}

TEST_F(ComPortOnPty, ClosedPortNeitherReadsNorPurges) {
    std::vector<std::pair<const char*, std::function<void()>>> states = {
        {"never opened", [] {}},
        {"closed with input waiting",
         [this] {
             OpenAndSend("left behind\n");
             port.ClosePort();
         }},
    };
    for (const auto& [name, arrange] : states) {
        SCOPED_TRACE(name);
        arrange();
        uint8_t byte = 0;
        EXPECT_FALSE(port.ReadPortRaw(byte));
        EXPECT_EQ(port.ReadPort(), "");
        EXPECT_FALSE(port.PurgePort());
    }
}

TEST(ComPortVanished, ReadGivesUpWhenTheDeviceGoesAway) {
    TempConfigHome home;
    std::optional<Pty> pty(std::in_place);
    pty->LinkAsCom(4, home.Path());
    ComPort port;
    ASSERT_TRUE(port.OpenPort(4, 9600));
    pty.reset();
    uint8_t byte = 0;
    EXPECT_FALSE(port.ReadPortRaw(byte));
    EXPECT_EQ(port.ReadPort(), "");
}

TEST_F(ComPortOnPty, OpenMakesTheLineRawAndKeepsFlowControl) {
    struct Case {
        int16_t bps;
        speed_t speed;
        tcflag_t inputFlow;
        tcflag_t hardwareFlow;
    };
    const std::vector<Case> cases = {
        {300, B300, 0, 0},
        {9600, B9600, IXON, 0},
        {19200, B19200, IXON | IXOFF | IXANY, CRTSCTS},
        {1200, B1200, 0, CRTSCTS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bps);
        termios before = LineSettings(pty);
        before.c_iflag = (before.c_iflag & ~(IXON | IXOFF | IXANY)) | c.inputFlow | ICRNL | INLCR | ISTRIP;
        before.c_cflag = (before.c_cflag & ~CRTSCTS) | c.hardwareFlow | CSTOPB | PARENB;
        before.c_lflag |= ICANON | ECHO | ECHOE | ISIG | IEXTEN;
        before.c_oflag |= OPOST;
        before.c_cc[VMIN] = 0;
        before.c_cc[VTIME] = 5;
        ASSERT_EQ(::tcsetattr(pty.MasterFd(), TCSANOW, &before), 0);

        ASSERT_TRUE(port.OpenPort(kCom, c.bps));
        const termios after = LineSettings(pty);
        EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(after.c_cflag & (PARENB | CSTOPB), 0u);
        EXPECT_EQ(after.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
        EXPECT_EQ(after.c_lflag & (ICANON | ECHO | ECHOE | ISIG | IEXTEN), 0u);
        EXPECT_EQ(after.c_iflag & (ICRNL | INLCR | ISTRIP), 0u);
        EXPECT_EQ(after.c_oflag & OPOST, 0u);
        EXPECT_EQ(after.c_cc[VMIN], 1);
        EXPECT_EQ(after.c_cc[VTIME], 0);
        EXPECT_EQ(::cfgetispeed(&after), c.speed);
        EXPECT_EQ(after.c_iflag & (IXON | IXOFF | IXANY), c.inputFlow);
        EXPECT_EQ(after.c_cflag & CRTSCTS, c.hardwareFlow);
        port.ClosePort();
    }
}

}  // namespace
}  // namespace orvanta
