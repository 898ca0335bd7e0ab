#pragma once
// The ports of the core, realised with Qt and the system. Needs a QApplication first.

#include "ConsoleSound.h"
#include "QtDialogs.h"
#include "QtSettingsStore.h"
#include "QtSystemPort.h"
#include "QtTimerService.h"
#include "QtWindowHost.h"
#include "runtime/SystemClock.h"

namespace orvanta {

struct QtPlatform {
    SystemClock clock;
    QtTimerService timers;
    QtDialogs dialogs;
    QtWindowHost host;
    ConsoleSound sound;
    QtSystemPort system;
    QtSettingsStore settings;
    Platform platform{clock, timers, dialogs, host, sound, system, settings};
};

}  // namespace orvanta
