#include "decode/WireFormat.h"

#include "runtime/Numbers.h"

namespace orvanta {

std::optional<int16_t> ParseFieldValue(std::string_view text) {
    // The sensor writes neither ',' nor exponents, so a field allows fewer characters than
    // ParseWholeNumber does; ParseWholeNumber still checks how they are arranged.
    if (text.find_first_not_of(" \t+-.0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<int16_t> value = ParseWholeNumber(text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

int FieldCount(std::size_t lineLength) {
    // A third never ties, so rounding half to even is plain rounding to nearest here.
    return static_cast<int>((lineLength + 1) / 3);
}

bool IsReadingLength(std::size_t lineLength) {
    return lineLength == 57 || lineLength == 60 || lineLength == 81 || lineLength == 87;
}

FieldScan ScanFields(std::string_view line) {
    FieldScan scan;
    scan.fieldCount = FieldCount(line.size());
    int32_t sum = 0;
    int16_t value = 0;
    for (int i = 0; i < scan.fieldCount; ++i) {
        const std::string_view text = line.substr(static_cast<std::size_t>(i) * 3, 3);
        const std::optional<int16_t> parsed = ParseFieldValue(text);
        if (!parsed) {
            scan.badField = i;
            scan.badText = std::string(text);
            return scan;
        }
        value = *parsed;
        sum += value;
        if (i < kFieldTableEntries) scan.fields[static_cast<std::size_t>(i)] = value;
    }
    scan.last = value;
    scan.sumWithoutLast = sum - value;
    return scan;
}

int32_t Checksum(int32_t sumWithoutLast) {
    return (sumWithoutLast + sumWithoutLast / 256) % 256;
}

Layout LayoutFor(int16_t firmwareVersion) {
    if (firmwareVersion < 49) return Layout::A;
    if (firmwareVersion < 52) return Layout::B;
    if (firmwareVersion < 53) return Layout::C;
    return Layout::D;
}

namespace {

constexpr int kAbsent = -1;

struct LayoutPositions {
    int flg;
    int heater;  // kAbsent: the heater state is bit 1 of Flg instead
    int dit;
    int firstSet;
    int setCount;
};

// Indexed by Layout.
constexpr std::array<LayoutPositions, 4> kPositions = {{
    {5, kAbsent, kAbsent, 6, 3},
    {9, 5, kAbsent, 10, 4},
    {6, 5, kAbsent, 7, 4},
    {6, 5, 23, 7, 3},
}};

int16_t FieldAt(const FieldTable& fields, int position) {
    return position == kAbsent ? int16_t{0} : fields[static_cast<std::size_t>(position)];
}

int16_t Bit1(int16_t value) { return static_cast<int16_t>((value >> 1) & 1); }

}  // namespace

LayoutFields DecodeLayout(const FieldTable& fields, Layout layout) {
    const LayoutPositions& at = kPositions[static_cast<std::size_t>(layout)];
    LayoutFields out;
    out.Flg = FieldAt(fields, at.flg);
    out.HeaterRaw = FieldAt(fields, at.heater);
    out.Dit = FieldAt(fields, at.dit);
    if (at.heater == kAbsent) {
        out.HeatingF = Bit1(out.Flg);
    } else {
        out.VCloudyFlag = Bit1(out.Flg);
        out.HeatingF = out.HeaterRaw != 0 ? int16_t{-1} : int16_t{0};
    }
    for (int n = 0; n < at.setCount; ++n) {
        const int first = at.firstSet + 4 * n;
        CalibrationSet& set = out.sets[static_cast<std::size_t>(n)];
        set.s = FieldAt(fields, first);
        set.t = static_cast<int16_t>(FieldAt(fields, first + 1) + kCaseCodeOffset);
        set.a = FieldAt(fields, first + 2);
        set.b = FieldAt(fields, first + 3);
    }
    return out;
}

namespace {

void AppendThreeDigits(std::string& line, int value) {
    line += static_cast<char>('0' + value / 100);
    line += static_cast<char>('0' + value / 10 % 10);
    line += static_cast<char>('0' + value % 10);
}

}  // namespace

std::string EncodeSensorLine(std::span<const int> fieldsWithoutChecksum) {
    std::string line;
    line.reserve((fieldsWithoutChecksum.size() + 1) * 3);
    int32_t sum = 0;
    for (const int value : fieldsWithoutChecksum) {
        AppendThreeDigits(line, value);
        sum += value;
    }
    AppendThreeDigits(line, Checksum(sum));
    return line;
}

}  // namespace orvanta
