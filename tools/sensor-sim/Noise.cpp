#include "sensor-sim/Noise.h"

#include <array>
#include <cstdio>
#include <numeric>
#include <string_view>

#include "decode/WireFormat.h"
#include "sensor-sim/LineBuilder.h"

namespace orvanta::sim {
namespace {

constexpr double kFaultShare = 1.0 / 3;
constexpr int kMostGarbageBytes = 12;
constexpr int kStatusLetters = 8;  // "A" to "H"
// None of these is legal anywhere in a field.
constexpr std::string_view kMisreadCharacters = "?*#/:Oo";
// Sky, Tem, Amb and Blk: never zero, so dropping or doubling one shows in the sum.
constexpr int kMeasuredFields = 4;

constexpr std::array<const char*, kFaultKinds + 1> kFaultNames{
    "none",        "garbage before", "garbage then NUL", "bad checksum", "field dropped", "field doubled",
    "status line", "start-up line",  "cut off",          "non-digit",    "ambient 999",   "case too hot",
};

std::string Terminated(std::string_view line) { return std::string(line) + "\r\n"; }

std::string ThreeDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", value);
    return text;
}

std::string Garbage(Random& random) {
    std::string bytes(static_cast<std::size_t>(1 + random.Below(kMostGarbageBytes)), ' ');
    for (char& byte : bytes) {
        // A NUL or a line feed would cut the garbage off the line it belongs to.
        byte = static_cast<char>(1 + random.Below(255));
        if (byte == '\n') byte = '~';
    }
    return bytes;
}

bool PassesChecksum(std::string_view line) {
    const FieldScan scan = ScanFields(line);
    return !scan.badField && Checksum(scan.sumWithoutLast) == scan.last;
}

std::string WithWrongChecksum(const std::vector<int>& fields, Random& random) {
    const int right = Checksum(std::accumulate(fields.begin(), fields.end(), 0));
    const int wrong = (right + 1 + random.Below(255)) % 256;
    return EncodeSensorLine(fields).replace(fields.size() * 3, 3, ThreeDigits(wrong));
}

// A field worth a multiple of 256 would slip through the checksum, so the next one
// is tried then.
std::string WithFieldReshaped(const std::vector<int>& fields, bool doubled, Random& random) {
    const std::string line = EncodeSensorLine(fields);
    const int first = random.Below(kMeasuredFields);
    std::string reshaped;
    for (int k = 0; k < kMeasuredFields; ++k) {
        const auto at = static_cast<std::size_t>(kSkyField + (first + k) % kMeasuredFields) * 3;
        reshaped = line;
        if (doubled)
            reshaped.insert(at, line, at, 3);
        else
            reshaped.erase(at, 3);
        if (!PassesChecksum(reshaped)) break;
    }
    return reshaped;
}

std::string StatusLine(Random& random) {
    return static_cast<char>('A' + random.Below(kStatusLetters)) + ThreeDigits(random.Below(1000));
}

std::string WithMisreadCharacter(std::string line, Random& random) {
    line[static_cast<std::size_t>(random.Below(static_cast<int>(line.size())))] =
        kMisreadCharacters[static_cast<std::size_t>(random.Below(static_cast<int>(kMisreadCharacters.size())))];
    return line;
}

std::string WithField(std::vector<int> fields, int index, int value) {
    fields[static_cast<std::size_t>(index)] = value;
    return EncodeSensorLine(fields);
}

}  // namespace

const char* FaultName(Fault fault) { return kFaultNames[static_cast<std::size_t>(fault)]; }

Fault PickFault(Random& random) {
    if (!random.Chance(kFaultShare)) return Fault::None;
    return static_cast<Fault>(1 + random.Below(kFaultKinds));
}

std::string WireBytes(const std::vector<int>& fields, Fault fault, Random& random) {
    const std::string line = EncodeSensorLine(fields);
    switch (fault) {
        case Fault::None: return Terminated(line);
        case Fault::GarbageBefore: return Garbage(random) + Terminated(line);
        case Fault::GarbageThenNul: return Garbage(random) + '\0' + Terminated(line);
        case Fault::BadChecksum: return Terminated(WithWrongChecksum(fields, random));
        case Fault::FieldDropped: return Terminated(WithFieldReshaped(fields, false, random));
        case Fault::FieldDoubled: return Terminated(WithFieldReshaped(fields, true, random));
        case Fault::StatusLine: return Terminated(StatusLine(random)) + Terminated(line);
        case Fault::StartUpLine: return Terminated("F" + line.substr(1)) + Terminated(line);
        case Fault::CutOff:
            return line.substr(0, static_cast<std::size_t>(1 + random.Below(static_cast<int>(line.size()) - 1)));
        case Fault::NonDigit: return Terminated(WithMisreadCharacter(line, random));
        case Fault::AmbientTooCold: return Terminated(WithField(fields, kAmbField, kAmbientTooCold));
        case Fault::CaseTooHot:
            return Terminated(WithField(fields, kTemField, random.Below(kLowestCaseCode - kCaseCodeOffset)));
    }
    return Terminated(line);
}

}  // namespace orvanta::sim
