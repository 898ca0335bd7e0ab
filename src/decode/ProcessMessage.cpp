#include "decode/Conversions.h"
#include "records/TextFile.h"
#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

#include <cstdio>

namespace orvanta {

// A line that passed validation, with the values the rest of the processing needs.
struct DecodedMessage {
    Layout layout = Layout::A;
    int16_t sky = 0;
    int16_t caseCode = 0;
    int16_t ambient = 0;
    int16_t block = 0;
    LayoutFields layoutFields;
};

namespace {

constexpr int16_t kHighestVcl = 255;
constexpr int kVclField = 18;
constexpr std::size_t kLengthWithVcl = 60;
constexpr double kAbsentHigh = 999.9;
constexpr double kAbsentLow = -999.9;

bool IsStatusLine(const std::string& line) { return line.size() == 4 && line[0] >= 'A' && line[0] <= 'H'; }

int Bit(int16_t flags, int bit) { return (flags >> bit) & 1; }

std::string FlagHexText(int16_t flags) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(flags));
    return text;
}

char Digit(int flag) { return flag != 0 ? '1' : '0'; }

}  // namespace

void frmOrvanta::ProcessMessage() {
    msg.MessageTime = DateTimeStr();
    const std::string& line = rx.CurrentMessage;
    if (line.empty()) return;
    if (IsStatusLine(line)) {
        LogSensorLine({msg.MessageTime + " " + line}, "For log file ", "050");
        return;
    }
    const bool grace = msg.StartupGrace != 0;
    if (!grace && !IsReadingLength(line.size())) {
        ShowMsgError("Message length is " + std::to_string(line.size()) + ", which is illegal");
        return;
    }
    if (line[0] == 'F') {
        msg.MessageTime = DateTimeStr();
        LogSensorLine({"", "", msg.MessageTime + "   Cloud Sensor Start Up"}, "For file ", "060");
        return;
    }
    if (const auto decoded = ValidateReading(line, grace)) ApplyGoodMessage(*decoded);
}

// Sensor status and start-up lines go to the log whatever the logging option says.
void frmOrvanta::LogSensorLine(const std::vector<std::string>& lines, const std::string& boxPrefix,
                               const std::string& errorNumber) {
    if (main_.LogFilePath.empty()) return;
    if (const auto error = AppendLines(main_.LogFilePath, lines))
        ReportLogFailure(boxPrefix + main_.LogFilePath + " error" + errorNumber + ": " + *error + ", path\\name cleared");
}

// Until the first good message the sensor may still be settling: garbled lines are
// dropped quietly then, but implausible readings are always reported.
std::optional<DecodedMessage> frmOrvanta::ValidateReading(const std::string& line, bool grace) {
    const FieldScan scan = ScanFields(line);
    if (scan.fieldCount == 0) return std::nullopt;
    if (scan.badField) {
        if (!grace)
            ShowMsgError("Message field ~" + scan.badText + "~ at columns " + std::to_string(3 * *scan.badField + 1) +
                         " to " + std::to_string(3 * *scan.badField + 3) + " is illegal");
        return std::nullopt;
    }
    const int32_t computed = Checksum(scan.sumWithoutLast);
    if (computed != scan.last) {
        if (!grace)
            ShowMsgError("Message checksum failure " + std::to_string(scan.sumWithoutLast) + " " +
                         std::to_string(computed) + "<>" + std::to_string(scan.last));
        return std::nullopt;
    }
    return CheckReading(scan, line.size());
}

std::optional<DecodedMessage> frmOrvanta::CheckReading(const FieldScan& scan, std::size_t lineLength) {
    const FieldTable& fields = scan.fields;
    msg.FirmwareVersion = fields[kFvrField];
    DecodedMessage decoded;
    decoded.sky = fields[kSkyField];
    decoded.caseCode = static_cast<int16_t>(fields[kTemField] + kCaseCodeOffset);
    decoded.ambient = fields[kAmbField];
    if (decoded.caseCode >= kCaseTooCold) return Reject("Sensor case is too cold, below -43.9C");
    if (decoded.caseCode < kCaseTooHot) return Reject("Sensor case is too hot, above 80.4C");
    if (decoded.ambient == kAmbientTooCold) return Reject("Ambient is too cold, below -58.5C");
    if (decoded.ambient < kAmbientTooHot) return Reject("Ambient is too hot, above 70.9C");
    decoded.block = fields[kBlkField];
    decoded.layout = LayoutFor(msg.FirmwareVersion);
    decoded.layoutFields = DecodeLayout(fields, decoded.layout);
    msg.HeaterRaw = decoded.layoutFields.HeaterRaw;
    main_.HeatingF = decoded.layoutFields.HeatingF;
    main_.VCloudyFlag = decoded.layoutFields.VCloudyFlag;
    if (decoded.layout == Layout::A && lineLength == kLengthWithVcl && fields[kVclField] > kHighestVcl)
        return Reject("Message field Vcl is illegal");
    return decoded;
}

std::optional<DecodedMessage> frmOrvanta::Reject(const std::string& text) {
    ShowMsgError(text);
    return std::nullopt;
}

void frmOrvanta::ApplyGoodMessage(const DecodedMessage& decoded) {
    const int16_t flags = decoded.layoutFields.Flg;
    msg.FlagHex = FlagHexText(flags);
    ConvertReadings(decoded);
    ApplyFlags(flags);
    main_.RelSkyT = RelativeSkyTemperature(decoded.sky);
    ClassifySky();
    ShowReadings();
    shaWet.SetFillColor(main_.WetF != 0 ? kBlue : kWindowBackground);
    shaHeating.SetFillColor(main_.HeatingF != 0 ? kRed : kWindowBackground);
    main_.TicksSinceGoodData = 0;
    msg.StartupGrace = 0;
    msg.FirstMessagePending = 0;
}

void frmOrvanta::ConvertReadings(const DecodedMessage& decoded) {
    main_.SensorT = SensorCaseTemp(decoded.caseCode);
    main_.AmbientT = AmbientTemp(decoded.ambient);
    main_.BlockT = decoded.block == kNoReading ? kAbsentHigh : AmbientTemp(decoded.block);
    const auto& sets = decoded.layoutFields.sets;
    main_.CalDataF = sets[2].b != 0 ? -1 : 0;
    if (main_.CalDataF == 0) return;
    for (std::size_t n = 0; n < 3; ++n) {
        main_.CalSensorT[n] = SensorCaseTemp(sets[n].t);
        main_.CalAmbientT[n] = AmbientTemp(sets[n].a);
        main_.CalBlockT[n] = AmbientTemp(sets[n].b);
    }
}

// The latches keep a short wet or close event visible until the next logged line.
void frmOrvanta::ApplyFlags(int16_t flags) {
    main_.WetF = static_cast<int16_t>(Bit(flags, 0));
    main_.WetSinceLog = static_cast<int16_t>(main_.WetSinceLog | main_.WetF);
    main_.CalibrateFlag = static_cast<int16_t>(Bit(flags, 2));
    main_.CloseFlag = static_cast<int16_t>(Bit(flags, 7));
    main_.CloseSinceLog = static_cast<int16_t>(main_.CloseSinceLog | main_.CloseFlag);
    msg.FlagText = {Digit(main_.CloseSinceLog), Digit(Bit(flags, 6)), Digit(Bit(flags, 5)), Digit(Bit(flags, 4)), ' ',
                    Digit(Bit(flags, 3)),       Digit(Bit(flags, 2)), Digit(Bit(flags, 1)), Digit(main_.WetSinceLog)};
}

double frmOrvanta::RelativeSkyTemperature(int16_t sky) {
    if (sky == 0) return kAbsentHigh;
    if (sky == kNoReading) return kAbsentLow;
    return SkyTemperature(sky, main_.SensorT) - main_.AmbientT;
}

// Wet wins over any temperature, and very cloudy over cloudy whatever the thresholds.
void frmOrvanta::ClassifySky() {
    main_.CloudyF = main_.RelSkyT > main_.CloudyThreshT ? -1 : 0;
    main_.VCloudyF = main_.RelSkyT > main_.VCloudyThreshT ? -1 : 0;
    if (main_.WetF != 0)
        main_.SkyCondition = 4;
    else if (main_.VCloudyF != 0)
        main_.SkyCondition = 3;
    else if (main_.CloudyF != 0)
        main_.SkyCondition = 2;
    else
        main_.SkyCondition = 1;
}

}  // namespace orvanta
