#include "support/FakePlatform.h"

#include "runtime/DateTimeText.h"
#include "ui/Settings.h"

namespace orvanta::test {

void FakeClock::AdvanceMs(int milliseconds) { now = AddMilliseconds(now, milliseconds); }

int32_t FakeTimers::SetTimer(int periodMs, std::function<void()> callback) {
    const std::size_t call = timers.size();
    const bool fails = call < failCreation.size() && failCreation[call];
    timers.push_back({periodMs, std::move(callback), !fails});
    return fails ? 0 : static_cast<int32_t>(timers.size());
}

void FakeTimers::KillTimer(int32_t id) {
    if (id > 0 && id <= static_cast<int32_t>(timers.size())) timers[id - 1].alive = false;
}

void FakeTimers::Fire(int periodMs) {
    for (std::size_t i = 0; i < timers.size(); ++i)
        if (timers[i].alive && timers[i].periodMs == periodMs) timers[i].callback();
}

bool FakeTimers::Alive(int periodMs) const {
    for (const auto& timer : timers)
        if (timer.alive && timer.periodMs == periodMs) return true;
    return false;
}

void FakeDialogs::MessageBox(const std::string& text, const std::string& title) {
    boxes.push_back({text, title});
    if (whileBoxOpen) whileBoxOpen();
}

std::string FakeDialogs::InputBox(const std::string& prompt, const std::string&) {
    prompts.push_back(prompt);
    if (inputAnswers.empty()) return {};
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

FileDialogResult FakeDialogs::ChooseFile(const std::string& title, int flags) {
    fileDialogs.push_back(title + " flags " + std::to_string(flags));
    if (fileAnswers.empty()) return {kFileDialogCancelled, "Cancel was selected.", ""};
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void FakeSound::Beep(int frequencyHz, int durationMs) {
    calls.push_back("beep " + std::to_string(frequencyHz) + " " + std::to_string(durationMs));
}

void FakeSound::PlaySoundFile(const std::string& name) { calls.push_back("play " + name); }

void FakeSystem::PumpMessages() {
    calls.push_back("pump");
    if (onPump) onPump();
}

std::vector<std::string> FakeSettings::Names() {
    std::vector<std::string> names;
    for (const auto& [name, value] : values) names.push_back(name);
    return names;
}

void FakeSettings::StoreComplete(const std::map<std::string, std::string>& changes) {
    WriteSettings(*this, StoredSettings{});
    for (const auto& [key, value] : changes) values[ValueName(key)] = value;
}

std::optional<std::string> FakeSettings::Read(const std::string& name) {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

}  // namespace orvanta::test
