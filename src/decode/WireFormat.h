#pragma once
// The sensor's line format: three-character decimal fields, the last one a checksum,
// and four field layouts chosen by the firmware version in field 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvanta {

inline constexpr int kFieldTableEntries = 101;
using FieldTable = std::array<int16_t, kFieldTableEntries>;

// A field's value: blanks around the number are accepted, a fraction rounds to the
// nearest integer (halves to even); a text that is not a number or is negative is not.
std::optional<int16_t> ParseFieldValue(std::string_view text);

// Line length divided by three, halves to even.
int FieldCount(std::size_t lineLength);

bool IsReadingLength(std::size_t lineLength);  // 57, 60, 81 or 87

struct FieldScan {
    FieldTable fields{};          // fields past index 100 are summed but not stored
    int fieldCount = 0;
    int32_t sumWithoutLast = 0;   // sum of every field but the last
    int16_t last = 0;             // the received checksum
    // Set when a field is illegal: its 0-based index and its text.
    std::optional<int> badField;
    std::string badText;
};

// Scans every field in order and stops at the first illegal one.
FieldScan ScanFields(std::string_view line);

// (S + S div 256) mod 256
int32_t Checksum(int32_t sumWithoutLast);

// Fields every layout keeps in the same place.
inline constexpr int kFvrField = 0;
inline constexpr int kSkyField = 1;
inline constexpr int kTemField = 2;
inline constexpr int kAmbField = 3;
inline constexpr int kBlkField = 4;

// The Tem field and the t value of a calibration set are the case code less this.
inline constexpr int16_t kCaseCodeOffset = 24;
// 999 in a field means the reading is absent or below its range.
inline constexpr int16_t kNoReading = 999;

// Plausibility limits on the codes, tested before any conversion.
inline constexpr int16_t kCaseTooCold = 1019;  // this code and above
inline constexpr int16_t kCaseTooHot = 116;    // below this code
inline constexpr int16_t kAmbientTooCold = kNoReading;
inline constexpr int16_t kAmbientTooHot = 56;  // below this code

enum class Layout { A, B, C, D };

Layout LayoutFor(int16_t firmwareVersion);

struct CalibrationSet {
    int16_t s = 0;  // raw sky reading
    int16_t t = 0;  // sensor-case code, i.e. the field value plus 24
    int16_t a = 0;  // ambient code
    int16_t b = 0;  // block code
};

struct LayoutFields {
    int16_t Flg = 0;
    int16_t HeaterRaw = 0;
    int16_t HeatingF = 0;
    int16_t VCloudyFlag = 0;
    int16_t Dit = 0;
    std::array<CalibrationSet, 4> sets{};  // sets the layout does not carry stay 0
};

LayoutFields DecodeLayout(const FieldTable& fields, Layout layout);

// The line for these field values (each 0..999) with its checksum field appended.
std::string EncodeSensorLine(std::span<const int> fieldsWithoutChecksum);

}  // namespace orvanta
