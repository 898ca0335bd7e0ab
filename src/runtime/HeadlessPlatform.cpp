#include "runtime/HeadlessPlatform.h"

#include <chrono>
#include <thread>

namespace orvanta {

namespace {

void Report(std::ostream* report, const std::string& text) {
    if (report) *report << text << '\n' << std::flush;
}

}  // namespace

void HeadlessDialogs::MessageBox(const std::string& text, const std::string&) { Report(report_, "message box: " + text); }

std::string HeadlessDialogs::InputBox(const std::string& prompt, const std::string&) {
    Report(report_, "input box: " + prompt);
    return {};
}

FileDialogResult HeadlessDialogs::ChooseFile(const std::string& title, int) {
    Report(report_, "file dialog: " + title);
    return {kFileDialogCancelled, "Cancel was selected.", ""};
}

int32_t HeadlessTimers::SetTimer(int, std::function<void()>) { return ++lastId_; }

void HeadlessSound::Beep(int frequencyHz, int durationMs) {
    Report(report_, "beep " + std::to_string(frequencyHz) + " " + std::to_string(durationMs));
}

void HeadlessSound::PlaySoundFile(const std::string& name) { Report(report_, "play " + name); }

void HeadlessSystem::Sleep(int milliseconds) {
    if (realSleep_) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::vector<std::string> MemorySettings::Names() {
    std::vector<std::string> names;
    for (const auto& entry : values_) names.push_back(entry.first);
    return names;
}

std::optional<std::string> MemorySettings::Read(const std::string& name) {
    const auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

}  // namespace orvanta
