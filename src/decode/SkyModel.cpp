#include "decode/SkyModel.h"

#include <cmath>

#include "decode/NumberText.h"
#include "records/TextFile.h"
#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {
constexpr const char* kDiagnosticFile = "Orvantalog.txt";
constexpr double kExponentBase = 4.0;
}  // namespace

// A negative base has no real power; the caller goes on with 1.0 and the log tells
// which call site failed.
double frmOrvanta::PowerOf(double base, double exponent, const std::string& label) {
    if (base < 0) {
        LogMsgError(label + "  v " + DoubleText(base) + "  x " + DoubleText(exponent));
        return 1.0;
    }
    return std::exp(std::log(base) * exponent);
}

double frmOrvanta::SkyTemperature(int16_t raw, double sensorT) {
    const double exponent = kExponentBase - main_.SkyModelD;
    const double headRadiation = PowerOf(sensorT + kKelvinOffset + main_.SkyModelOffs, exponent, "powr7");
    const double base = raw / main_.SkyModelK + headRadiation;
    if (base <= 0) {
        LogNoSkySolution(raw, sensorT, base);
        return 0.0;
    }
    return PowerOf(base, 1 / exponent, "powr8") - kKelvinOffset;
}

// A diagnostic for whoever tunes the model; a failure to write it is not worth a box.
void frmOrvanta::LogNoSkySolution(int16_t raw, double sensorT, double base) {
    if (main_.LogFilePath.empty()) return;
    msg.MessageTime = DateTimeStr();
    const std::string line = msg.MessageTime + " X " + std::to_string(raw) +
                             PrintNumber(static_cast<float>(main_.SkyModelK)) + PrintNumber(static_cast<float>(sensorT)) +
                             PrintNumber(static_cast<float>(main_.SkyModelOffs)) +
                             PrintNumber(static_cast<float>(main_.SkyModelD)) + PrintNumber(static_cast<float>(base));
    AppendLines(kDiagnosticFile, {line});
}

}  // namespace orvanta
