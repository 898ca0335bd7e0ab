// The built sensor-sim run as a user runs it: on a linked pseudo-terminal read through
// the product's ComPort, on a device, and on standard output.

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SensorSimHelpers.h"
#include "runtime/ComPort.h"
#include "support/Pty.h"
#include "support/TempConfigHome.h"

extern char** environ;

namespace orvanta {
namespace {

using std::chrono::steady_clock;

// Generous bounds, only ever waited out when something is broken.
constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kLinesLimit = std::chrono::seconds(20);
constexpr auto kExitLimit = std::chrono::seconds(10);

bool WaitFor(const std::function<bool()>& condition, steady_clock::duration limit) {
    const auto deadline = steady_clock::now() + limit;
    while (!condition()) {
        if (steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Lines ended by CR LF; a trailing piece without its line end is left out.
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// One run of the simulator, its standard output and error kept in files.
class SimRun {
public:
    SimRun(const std::vector<std::string>& args, const std::string& scratchDir)
        : out_(scratchDir + "/sim.out"), err_(scratchDir + "/sim.err") {
        std::vector<std::string> argv{SENSOR_SIM_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> pointers;
        for (std::string& arg : argv) pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int error = posix_spawn(&pid_, argv[0].c_str(), &files, nullptr, pointers.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        if (error != 0) pid_ = -1;
    }

    ~SimRun() {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    SimRun(const SimRun&) = delete;
    SimRun& operator=(const SimRun&) = delete;

    pid_t Pid() const { return pid_; }
    std::string Stdout() const { return FileText(out_); }
    std::string Stderr() const { return FileText(err_); }

    // The exit code, or nullopt when it has not ended in time or ended by a signal.
    std::optional<int> WaitForExit() {
        WaitFor([this] { return Reaped(); }, kExitLimit);
        if (!status_ || !WIFEXITED(*status_)) return std::nullopt;
        return WEXITSTATUS(*status_);
    }

private:
    bool Reaped() {
        int status = 0;
        if (pid_ > 0 && !status_ && ::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
        return status_.has_value();
    }

    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

std::vector<std::string> ReadLinesFrom(ComPort& port, std::size_t count) {
    std::string text;
    WaitFor(
        [&] {
            text += port.ReadPort();
            return CrLfLines(text).size() >= count;
        },
        kLinesLimit);
    return CrLfLines(text);
}

std::vector<std::string> ReadLinesFrom(const test::Pty& pty, std::size_t count) {
    std::string text;
    WaitFor(
        [&] {
            pollfd wait{pty.MasterFd(), POLLIN, 0};
            char chunk[256];
            if (::poll(&wait, 1, 0) > 0) {
                const ssize_t n = ::read(pty.MasterFd(), chunk, sizeof chunk);
                if (n > 0) text.append(chunk, static_cast<std::size_t>(n));
            }
            return CrLfLines(text).size() >= count;
        },
        kLinesLimit);
    return CrLfLines(text);
}

void ExpectReadings(const std::vector<std::string>& lines, std::size_t length, int firmware) {
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), length) << line;
        EXPECT_TRUE(test::ChecksumHolds(line)) << line;
        EXPECT_EQ(ScanFields(line).fields[0], firmware) << line;
    }
}

TEST(SensorSimRun, ServesALinkedPortThatComPortReads) {
    test::TempConfigHome home;
    const std::string link = home.Path() + "/KerrwickSystems/dosdevices/com7";
    SimRun sim({"--link", link, "--layout", "D", "--fast", "--count", "3"}, home.Path());
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(link); }, kStartLimit)) << sim.Stderr();
    ComPort port;
    ASSERT_TRUE(port.OpenPort(7, 300));
    const std::vector<std::string> lines = ReadLinesFrom(port, 3);
    port.ClosePort();
    ASSERT_EQ(lines.size(), 3u) << sim.Stderr();
    ExpectReadings(lines, 81, 55);
    EXPECT_EQ(sim.WaitForExit(), 0) << sim.Stderr();
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(SensorSimRun, ReplacesAStaleLinkAndRemovesItOnSigterm) {
    test::TempConfigHome home;
    const std::filesystem::path dir = std::filesystem::path(home.Path()) / "KerrwickSystems" / "dosdevices";
    std::filesystem::create_directories(dir);
    const std::filesystem::path link = dir / "com2";
    std::filesystem::create_symlink("/dev/unplugged-adapter", link);
    SimRun sim({"--link", link.string()}, home.Path());
    // exists() follows the link, so it only holds once the link leads to the pty.
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(link); }, kStartLimit)) << sim.Stderr();
    ASSERT_EQ(::kill(sim.Pid(), SIGTERM), 0);
    EXPECT_EQ(sim.WaitForExit(), 0) << sim.Stderr();
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(SensorSimRun, WritesToADeviceSetToRaw300Baud8N1) {
    test::TempConfigHome scratch;
    test::Pty pty;
    SimRun sim({"--device", pty.SlavePath(), "--layout", "A60", "--fast", "--count", "2"}, scratch.Path());
    EXPECT_EQ(sim.WaitForExit(), 0) << sim.Stderr();
    const std::vector<std::string> lines = ReadLinesFrom(pty, 2);
    ASSERT_EQ(lines.size(), 2u);
    ExpectReadings(lines, 60, 48);
    termios line{};
    ASSERT_EQ(::tcgetattr(pty.MasterFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B300));
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u) << "line ends must go out unchanged";
}

TEST(SensorSimRun, WritesTheCountedLinesToStandardOutput) {
    test::TempConfigHome scratch;
    SimRun sim({"--stdout", "--layout", "C", "--count", "4"}, scratch.Path());
    ASSERT_EQ(sim.WaitForExit(), 0) << sim.Stderr();
    const std::vector<std::string> lines = CrLfLines(sim.Stdout());
    ASSERT_EQ(lines.size(), 4u);
    ExpectReadings(lines, 87, 52);
}

TEST(SensorSimRun, RefusesABadCommandLineWithItsUsage) {
    test::TempConfigHome scratch;
    SimRun bad({"--stdout", "--layout", "Q"}, scratch.Path());
    EXPECT_EQ(bad.WaitForExit(), 2);
    EXPECT_NE(bad.Stderr().find("Usage: sensor-sim"), std::string::npos);
    EXPECT_EQ(bad.Stdout(), "");
}

}  // namespace
}  // namespace orvanta
