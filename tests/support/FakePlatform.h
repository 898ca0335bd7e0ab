#pragma once
// Scriptable stand-ins for the platform: a clock that tests move, timers that tests
// fire, dialogs with scripted answers, and counted tones and sounds.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/CMain.h"
#include "runtime/Platform.h"

namespace orvanta::test {

class FakeClock : public Clock {
public:
    LocalDateTime now{2026, 12, 6, 21, 0, 0, 0};
    LocalDateTime Now() override { return now; }
    void AdvanceMs(int milliseconds);
};

class FakeTimers : public TimerService {
public:
    struct Timer {
        int periodMs;
        std::function<void()> callback;
        bool alive;
    };
    std::vector<Timer> timers;    // index + 1 is the identifier
    std::vector<bool> failCreation;  // per creation call; missing entries succeed

    int32_t SetTimer(int periodMs, std::function<void()> callback) override;
    void KillTimer(int32_t id) override;
    void Fire(int periodMs);  // fires every live timer of that period
    bool Alive(int periodMs) const;
};

class FakeDialogs : public Dialogs {
public:
    struct Box {
        std::string text;
        std::string title;
    };
    std::vector<Box> boxes;
    std::vector<std::string> prompts;
    std::deque<std::string> inputAnswers;
    std::deque<FileDialogResult> fileAnswers;  // an empty queue answers "cancelled"
    std::vector<std::string> fileDialogs;       // "<title> flags <n>" per dialog shown
    // Runs while a message box is open, as the event loop would run ticks.
    std::function<void()> whileBoxOpen;

    void MessageBox(const std::string& text, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    FileDialogResult ChooseFile(const std::string& title, int flags) override;
};

class FakeHost : public WindowHost {
public:
    int screenWidth = 1920 * 15;
    int screenHeight = 1080 * 15;
    int endProcessCalls = 0;
    int ScreenWidthTwips() override { return screenWidth; }
    int ScreenHeightTwips() override { return screenHeight; }
    void EndProcess() override { ++endProcessCalls; }
};

class FakeSound : public SoundPort {
public:
    std::vector<std::string> calls;  // "beep 2000 600", "play notify.WAV"
    void Beep(int frequencyHz, int durationMs) override;
    void PlaySoundFile(const std::string& name) override;
};

class FakeSystem : public SystemPort {
public:
    std::vector<std::string> calls;  // "sleep 100", "pump"
    std::function<void()> onPump;
    void Sleep(int milliseconds) override { calls.push_back("sleep " + std::to_string(milliseconds)); }
    void PumpMessages() override;
};

class FakeSettings : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> Names() override;
    std::optional<std::string> Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& value) override { values[name] = value; }
    void Flush() override {}
    // Every setting at its default, then the given keys ("comport" -> "3") changed.
    void StoreComplete(const std::map<std::string, std::string>& changes = {});
};

// A whole platform of fakes, and a CMain on it.
struct FakePlatform {
    FakeClock clock;
    FakeTimers timers;
    FakeDialogs dialogs;
    FakeHost host;
    FakeSound sound;
    FakeSystem system;
    FakeSettings settings;
    Platform platform{clock, timers, dialogs, host, sound, system, settings};
};

struct FakeProcess : FakePlatform {
    CMain main{platform};
    frmOrvanta& form() { return main.Form(); }
    // One poll tick through the timer, as the event loop would deliver it.
    void PollTick() {
        clock.AdvanceMs(250);
        timers.Fire(kPollPeriodMs);
    }
    void AlertTick() { timers.Fire(kAlertPeriodMs); }
};

}  // namespace orvanta::test
