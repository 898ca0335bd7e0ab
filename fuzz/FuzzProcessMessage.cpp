// libFuzzer target: received bytes through the framer and every framed line through
// ProcessMessage of one headless window, as the poll tick does it.
//
// Input layout: one mode byte (bit 0: inside the start-up grace, bit 1: Fahrenheit),
// then chunks, each a length byte and up to that many bytes. Each chunk is what one
// poll tick reads from the port, so lines arrive split and joined in every way.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <unistd.h>

#include "runtime/CMain.h"
#include "runtime/Framing.h"
#include "runtime/HeadlessPlatform.h"
#include "ui/Settings.h"
#include "ui/frmOrvanta.h"

namespace {

using namespace orvanta;

// A fixed time keeps every run of an input the same.
class FixedClock : public Clock {
public:
    LocalDateTime Now() override { return {2026, 12, 6, 21, 0, 0, 0}; }
};

// One loaded window with the default settings, no port, no log and no data file.
struct FuzzWindow {
    FuzzWindow() {
        WriteSettings(headless.settings, StoredSettings{});
        main.Main();
    }
    FixedClock clock;
    HeadlessPlatform headless{clock, {nullptr, false}};
    CMain main{headless.platform};
};

// libFuzzer hands over bare bytes, so the one window lives here, across inputs, as it
// lives across lines in the program. A line may end the program (a calibration that
// cannot start); the next input then gets a fresh window, as a restarted program would.
FuzzWindow& Window() {
    static std::unique_ptr<FuzzWindow> window;
    if (!window || window->headless.host.EndRequested()) window = std::make_unique<FuzzWindow>();
    return *window;
}

void ApplyMode(FuzzWindow& window, uint8_t mode) {
    frmOrvanta& form = window.main.Form();
    form.rx.RxBuffer.clear();
    form.msg.StartupGrace = (mode & 1) != 0 ? kStartupGraceTicks : 0;
    window.main.TempUnit = (mode & 2) != 0 ? 1 : 0;
}

// One poll tick that reads `chunk`: the tick's counting, then framing and processing.
void Tick(FuzzWindow& window, std::string_view chunk) {
    frmOrvanta& form = window.main.Form();
    form.tmrPollMsgTic();
    AppendReceived(form.rx.RxBuffer, chunk);
    auto line = TakeLine(form.rx.RxBuffer);
    if (!line) return;
    form.rx.CurrentMessage = std::move(*line);
    form.ProcessMessage();
}

}  // namespace

// Whatever the window writes (a calibration file under the home folder) lands in a
// scratch folder, never in the user's.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string scratch = (std::filesystem::temp_directory_path() / "orvanta-fuzz-XXXXXX").string();
    if (!mkdtemp(scratch.data()) || setenv("HOME", scratch.c_str(), 1) != 0 || chdir(scratch.c_str()) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzWindow& window = Window();
    ApplyMode(window, data[0]);
    std::size_t at = 1;
    while (at < size && !window.headless.host.EndRequested()) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        Tick(window, {reinterpret_cast<const char*>(data) + at + 1, length});
        at += 1 + length;
    }
    return 0;
}
