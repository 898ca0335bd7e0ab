// Orvanta: the desktop companion of the serial cloud sensor.

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <iostream>
#include <string_view>

#include "ConsoleMirror.h"
#include "OrvantaView.h"
#include "QtPlatform.h"
#include "SignalWatcher.h"
#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

namespace {

constexpr int kUsageExitCode = 2;

// "--automation" marks a start for an automation client; it is the only argument.
bool ArgumentsAccepted(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) != "--automation") return false;
    return true;
}

bool Unset(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
}

// Without any display Qt would give up; offscreen the sensor is still read and logged.
void FallBackToOffscreen() {
    if (!Unset("DISPLAY") || !Unset("WAYLAND_DISPLAY") || !Unset("QT_QPA_PLATFORM")) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::cerr << "No display found: running Orvanta offscreen" << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    if (!ArgumentsAccepted(argc, argv)) {
        std::cerr << "Usage: orvanta [--automation]" << std::endl;
        return kUsageExitCode;
    }
    FallBackToOffscreen();
    orvanta::SignalWatcher::BlockWatchedSignals();
    QApplication app(argc, argv);
    // Names the per-user data folders and the default title of message boxes.
    QApplication::setOrganizationName("KerrwickSystems");
    QApplication::setApplicationName(orvanta::kProgramName);
    // The model decides when the process ends (EndProcess), not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    orvanta::QtPlatform platform;
    orvanta::CMain main{platform.platform};
    orvanta::OrvantaView view{main.Form()};
    orvanta::SignalWatcher closeOnSignal{[&main] { main.Form().Close(); }};
    std::unique_ptr<orvanta::ConsoleMirror> mirror;
    if (QGuiApplication::platformName() == "offscreen") mirror = std::make_unique<orvanta::ConsoleMirror>(main.Form());
    main.Main();
    return QApplication::exec();
}
