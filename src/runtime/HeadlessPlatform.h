#pragma once
// Ports for programs without a screen: the offline decoder, the fuzzer, the benchmarks.
// Nobody is there to answer, so every box is answered at once the way a user clicking
// OK or Cancel would, and what a user would have seen or heard goes to a text stream
// (or nowhere, for the fuzzer).

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/Platform.h"

namespace orvanta {

// Message boxes are reported as "message box: <text>" and answered OK; the input box
// ("input box: <prompt>") and the file dialog ("file dialog: <title>") are cancelled.
class HeadlessDialogs : public Dialogs {
public:
    explicit HeadlessDialogs(std::ostream* report) : report_(report) {}
    void MessageBox(const std::string& text, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    FileDialogResult ChooseFile(const std::string& title, int flags) override;

private:
    std::ostream* report_;  // null: silent
};

// Hands out identifiers but never fires: a headless program runs the ticks itself.
class HeadlessTimers : public TimerService {
public:
    int32_t SetTimer(int periodMs, std::function<void()> callback) override;
    void KillTimer(int32_t) override {}

private:
    int32_t lastId_ = 0;
};

class HeadlessHost : public WindowHost {
public:
    static constexpr int kTwipsPerPixel = 15;
    int ScreenWidthTwips() override { return 1920 * kTwipsPerPixel; }
    int ScreenHeightTwips() override { return 1080 * kTwipsPerPixel; }
    // There is no event loop to leave; the program asks EndRequested() and stops itself.
    void EndProcess() override { endRequested_ = true; }
    bool EndRequested() const { return endRequested_; }

private:
    bool endRequested_ = false;
};

// Tones and sounds are reported as "beep <Hz> <ms>" and "play <name>"; nothing waits.
class HeadlessSound : public SoundPort {
public:
    explicit HeadlessSound(std::ostream* report) : report_(report) {}
    void Beep(int frequencyHz, int durationMs) override;
    void PlaySoundFile(const std::string& name) override;

private:
    std::ostream* report_;  // null: silent
};

class HeadlessSystem : public SystemPort {
public:
    // A fuzzer cannot afford the retry pauses of the file code; it passes false.
    explicit HeadlessSystem(bool realSleep = true) : realSleep_(realSleep) {}
    void Sleep(int milliseconds) override;
    void PumpMessages() override {}

private:
    bool realSleep_;
};

class MemorySettings : public SettingsStore {
public:
    std::vector<std::string> Names() override;
    std::optional<std::string> Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& value) override { values_[name] = value; }
    void Flush() override {}

private:
    std::map<std::string, std::string> values_;
};

struct HeadlessOptions {
    std::ostream* report = nullptr;  // where boxes and tones are reported; null: silent
    bool realSleep = true;
};

// A whole headless platform on the caller's clock.
struct HeadlessPlatform {
    HeadlessPlatform(Clock& clock, const HeadlessOptions& options)
        : dialogs(options.report), sound(options.report), system(options.realSleep),
          platform{clock, timers, dialogs, host, sound, system, settings} {}
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    HeadlessTimers timers;
    HeadlessDialogs dialogs;
    HeadlessHost host;
    HeadlessSound sound;
    HeadlessSystem system;
    MemorySettings settings;
    Platform platform;
};

}  // namespace orvanta
