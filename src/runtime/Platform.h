#pragma once
// The ports through which the core reaches the platform. The Qt front end implements
// them for real; tests and tools use scriptable stand-ins.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() = 0;
};

class TimerService {
public:
    virtual ~TimerService() = default;
    // Returns a non-zero identifier, or 0 when the timer cannot be created.
    virtual int32_t SetTimer(int periodMs, std::function<void()> callback) = 0;
    virtual void KillTimer(int32_t id) = 0;
};

inline constexpr int kFileDialogCancelled = 32755;

struct FileDialogResult {
    int error = 0;  // 0, or kFileDialogCancelled, or another dialog error number
    std::string errorDescription;
    std::string fileName;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Waits for the user's acknowledgement; other callbacks may run meanwhile.
    // An empty title stands for the platform's default title.
    virtual void MessageBox(const std::string& text, const std::string& title) = 0;
    // The typed text, or an empty text when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title) = 0;
    virtual FileDialogResult ChooseFile(const std::string& title, int flags) = 0;
};

class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual int ScreenWidthTwips() = 0;
    virtual int ScreenHeightTwips() = 0;
    // Leaves the event loop; the process ends once the current callback returns.
    virtual void EndProcess() = 0;
};

class SoundPort {
public:
    virtual ~SoundPort() = default;
    // Synchronous: returns when the tone has ended, without pumping events.
    virtual void Beep(int frequencyHz, int durationMs) = 0;
    // Starts playing a sound file found by its bare name; never waits for it to end.
    virtual void PlaySoundFile(const std::string& name) = 0;
};

class SystemPort {
public:
    virtual ~SystemPort() = default;
    virtual void Sleep(int milliseconds) = 0;
    // Runs pending window, timer and automation events.
    virtual void PumpMessages() = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Value names present in the section.
    virtual std::vector<std::string> Names() = 0;
    virtual std::optional<std::string> Read(const std::string& name) = 0;
    virtual void Write(const std::string& name, const std::string& value) = 0;
    // Makes the values written so far durable; called once per complete set.
    virtual void Flush() = 0;
};

struct Platform {
    Clock& clock;
    TimerService& timers;
    Dialogs& dialogs;
    WindowHost& host;
    SoundPort& sound;
    SystemPort& system;
    SettingsStore& settings;
};

}  // namespace orvanta
