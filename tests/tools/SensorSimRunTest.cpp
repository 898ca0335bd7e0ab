// The built sensor-sim run as a user runs it: on a linked pseudo-terminal read through
// the product's ComPort.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "SensorSimHelpers.h"
#include "runtime/ComPort.h"
#include "support/TempConfigHome.h"

extern char** environ;

namespace orvanta {
namespace {

// A generous bound, only ever waited out when something is broken.
bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// What ComPort reads from COM 7 once the simulator has linked it, up to three line ends.
std::string ReadThreeLines(const std::string& link) {
    std::string text;
    if (!WaitFor([&] { return std::filesystem::exists(link); })) return text;
    ComPort port;
    if (port.OpenPort(7, 300)) WaitFor([&] { return std::ranges::count(text += port.ReadPort(), '\n') >= 3; });
    return text;
}

TEST(SensorSimRun, ServesALinkedPortThatComPortReads) {
    test::TempConfigHome home;
    const std::string link = home.Path() + "/KerrwickSystems/dosdevices/com7";
    std::vector<std::string> args{SENSOR_SIM_BINARY, "--link", link, "--layout", "D", "--fast", "--count", "3"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    const std::vector<std::string> lines = test::FramedLines(ReadThreeLines(link));
    int status = -1;
    if (!WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; })) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    ASSERT_EQ(lines.size(), 3u);
    test::DecodingProcess decoder;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), 81u) << line;
        EXPECT_TRUE(decoder.Process(line)) << line;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

}  // namespace
}  // namespace orvanta
