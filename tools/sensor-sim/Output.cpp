#include "sensor-sim/Output.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <utility>

namespace orvanta::sim {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Start bit, eight data bits and a stop bit at 300 baud.
constexpr auto kCharacterTime = std::chrono::microseconds(1000000 / 30);
constexpr auto kListenerCheck = milliseconds(100);
constexpr auto kLastLineGrace = std::chrono::seconds(3);
constexpr auto kLongestPoll = std::chrono::hours(1);
constexpr int kStandardOutput = 1;

[[noreturn]] void ThrowErrno(const std::string& what) { throw std::system_error(errno, std::generic_category(), what); }

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

void SetRaw300(termios& line) {
    ::cfmakeraw(&line);
    line.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    ::cfsetispeed(&line, B300);
    ::cfsetospeed(&line, B300);
}

enum class WriteEnd { Done, Gone, Stopped, Failed };

struct WriteOutcome {
    WriteEnd end = WriteEnd::Done;
    int error = 0;
};

// Waiting for room together with the stop signals keeps a stalled listener from
// making the simulator deaf to Ctrl-C. A hung-up pty, a pipe with no reader and an
// unplugged adapter all count as gone.
WriteOutcome WriteAll(int fd, std::string_view bytes, const StopSignals& signals) {
    while (!bytes.empty()) {
        std::array<pollfd, 2> waits{{{fd, POLLOUT, 0}, {signals.Fd(), POLLIN, 0}}};
        if (::poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return {WriteEnd::Failed, errno};
        }
        if ((waits[1].revents & POLLIN) != 0) return {WriteEnd::Stopped};
        if ((waits[0].revents & (POLLHUP | POLLERR)) != 0) return {WriteEnd::Gone};
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (written < 0) return {errno == EPIPE || errno == EIO ? WriteEnd::Gone : WriteEnd::Failed, errno};
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::string ErrorText(int error) { return error != 0 ? std::strerror(error) : "the other end is gone"; }

// A pseudo-terminal whose slave device is linked where a COM port is looked up. The
// slave stays closed on our side, so the master shows a hang-up exactly while no
// program has the port open.
class PtyLink : public Output {
public:
    PtyLink(const std::filesystem::path& link, std::ostream& log);
    ~PtyLink() override;
    bool AwaitListener(const StopSignals& signals) override;
    SendResult Send(std::string_view bytes, const StopSignals& signals) override;
    void Finish(const StopSignals& signals) override;

private:
    static Descriptor OpenMaster(std::string& slavePath);
    bool Listened() const;
    void NoteListener();

    std::string slavePath_;
    Descriptor master_;
    std::filesystem::path link_;
    std::ostream& log_;
    bool listening_ = false;
};

Descriptor PtyLink::OpenMaster(std::string& slavePath) {
    termios line{};
    SetRaw300(line);
    int master = -1;
    int slave = -1;
    char name[PATH_MAX] = {};
    if (::openpty(&master, &slave, name, &line, nullptr) != 0) ThrowErrno("openpty");
    ::close(slave);
    Descriptor owned(master);
    if (::fcntl(master, F_SETFL, O_NONBLOCK) != 0 || ::fcntl(master, F_SETFD, FD_CLOEXEC) != 0)
        ThrowErrno("setting up the pseudo-terminal");
    slavePath = name;
    return owned;
}

PtyLink::PtyLink(const std::filesystem::path& link, std::ostream& log)
    : master_(OpenMaster(slavePath_)), link_(link), log_(log) {
    if (link_.has_parent_path()) std::filesystem::create_directories(link_.parent_path());
    // A link left by a crashed run, or one the user pointed elsewhere, gives way; a
    // file that is not a link is not ours to remove, and creating the link fails.
    if (std::filesystem::is_symlink(link_)) std::filesystem::remove(link_);
    std::filesystem::create_symlink(slavePath_, link_);
    log_ << "sensor-sim: " << slavePath_ << " linked at " << link_.string() << '\n';
}

PtyLink::~PtyLink() {
    std::error_code ignored;
    if (std::filesystem::read_symlink(link_, ignored) == slavePath_) std::filesystem::remove(link_, ignored);
}

bool PtyLink::Listened() const {
    pollfd wait{master_.get(), POLLOUT, 0};
    return ::poll(&wait, 1, 0) >= 0 && (wait.revents & POLLHUP) == 0;
}

void PtyLink::NoteListener() {
    const bool listening = Listened();
    if (listening != listening_)
        log_ << "sensor-sim: " << (listening ? "the port was opened" : "the port was closed; readings go nowhere")
             << '\n';
    listening_ = listening;
}

bool PtyLink::AwaitListener(const StopSignals& signals) {
    if (!Listened()) log_ << "sensor-sim: waiting for a program to open the port\n";
    while (!Listened())
        if (!signals.SleepUntil(steady_clock::now() + kListenerCheck)) return false;
    NoteListener();
    return true;
}

// Bytes sent while nobody has the port open are lost, as they would be on a wire.
SendResult PtyLink::Send(std::string_view bytes, const StopSignals& signals) {
    NoteListener();
    const WriteOutcome outcome = WriteAll(master_.get(), bytes, signals);
    if (outcome.end == WriteEnd::Stopped) return SendResult::Stopped;
    if (outcome.end != WriteEnd::Failed) return SendResult::Sent;
    log_ << "sensor-sim: writing to " << slavePath_ << " failed: " << ErrorText(outcome.error) << '\n';
    return SendResult::Failed;
}

// Closing the master hangs the port up and throws away what the listener has not read.
void PtyLink::Finish(const StopSignals& signals) {
    const auto deadline = steady_clock::now() + kLastLineGrace;
    while (Listened() && steady_clock::now() < deadline)
        if (!signals.SleepUntil(std::min(deadline, steady_clock::now() + kListenerCheck))) return;
}

// A serial adapter or anything else that takes bytes. Opened without waiting for a
// carrier; CLOCAL then keeps the modem lines out of it.
class DeviceLine : public Output {
public:
    DeviceLine(const std::string& path, std::ostream& log);
    SendResult Send(std::string_view bytes, const StopSignals& signals) override;

private:
    std::string path_;
    Descriptor device_;
    std::ostream& log_;
};

DeviceLine::DeviceLine(const std::string& path, std::ostream& log)
    : path_(path), device_(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)), log_(log) {
    if (device_.get() < 0) ThrowErrno("cannot open " + path);
    if (::isatty(device_.get()) != 0) {
        termios line{};
        if (::tcgetattr(device_.get(), &line) != 0) ThrowErrno("cannot read the settings of " + path);
        SetRaw300(line);
        if (::tcsetattr(device_.get(), TCSANOW, &line) != 0) ThrowErrno("cannot set " + path + " to 300 baud 8N1");
    }
    log_ << "sensor-sim: writing to " << path_ << '\n';
}

SendResult DeviceLine::Send(std::string_view bytes, const StopSignals& signals) {
    const WriteOutcome outcome = WriteAll(device_.get(), bytes, signals);
    if (outcome.end == WriteEnd::Done) return SendResult::Sent;
    if (outcome.end == WriteEnd::Stopped) return SendResult::Stopped;
    log_ << "sensor-sim: writing to " << path_ << " failed: " << ErrorText(outcome.error) << '\n';
    return SendResult::Failed;
}

// A reader that has had enough (head, a decoder that quit) ends the run quietly.
class StandardOutput : public Output {
public:
    explicit StandardOutput(std::ostream& log) : log_(log) {}
    SendResult Send(std::string_view bytes, const StopSignals& signals) override;

private:
    std::ostream& log_;
};

SendResult StandardOutput::Send(std::string_view bytes, const StopSignals& signals) {
    const WriteOutcome outcome = WriteAll(kStandardOutput, bytes, signals);
    if (outcome.end == WriteEnd::Done) return SendResult::Sent;
    if (outcome.end != WriteEnd::Failed) return SendResult::Stopped;
    log_ << "sensor-sim: writing to standard output failed: " << ErrorText(outcome.error) << '\n';
    return SendResult::Failed;
}

}  // namespace

StopSignals::StopSignals() {
    sigset_t stops;
    ::sigemptyset(&stops);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaddset(&stops, signal);
    if (::sigprocmask(SIG_BLOCK, &stops, nullptr) != 0) ThrowErrno("sigprocmask");
    fd_ = ::signalfd(-1, &stops, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) ThrowErrno("signalfd");
    std::signal(SIGPIPE, SIG_IGN);
}

StopSignals::~StopSignals() { ::close(fd_); }

bool StopSignals::SleepUntil(steady_clock::time_point when) const {
    for (;;) {
        const auto left = std::clamp(std::chrono::ceil<milliseconds>(when - steady_clock::now()), milliseconds{0},
                                     std::chrono::duration_cast<milliseconds>(kLongestPoll));
        pollfd wait{fd_, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready > 0) return false;
        if (ready == 0 && steady_clock::now() >= when) return true;
    }
}

std::unique_ptr<Output> OpenOutput(const Options& options, std::ostream& log) {
    switch (options.target.value_or(Target::Stdout)) {
        case Target::Link: return std::make_unique<PtyLink>(options.path, log);
        case Target::Device: return std::make_unique<DeviceLine>(options.path, log);
        case Target::Stdout: return std::make_unique<StandardOutput>(log);
    }
    return nullptr;
}

SendResult SendPaced(Output& output, std::string_view bytes, const Pacing& pacing, const StopSignals& signals) {
    if (!pacing.characterPacing) return output.Send(bytes, signals);
    const auto start = steady_clock::now();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!signals.SleepUntil(start + static_cast<int>(i) * kCharacterTime)) return SendResult::Stopped;
        const SendResult result = output.Send(bytes.substr(i, 1), signals);
        if (result != SendResult::Sent) return result;
    }
    return SendResult::Sent;
}

}  // namespace orvanta::sim
