#pragma once
// Reading lines in each of the sensor's layouts, built from the codes of one reading.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sensor-sim/SensorCodes.h"

namespace orvanta::sim {

// A57 and A60 are the two lengths of the oldest layout, the 60 one with a Vcl field.
enum class LineLayout { A57, A60, B, C, D };

std::optional<LineLayout> LineLayoutNamed(std::string_view name);
const char* LayoutName(LineLayout layout);
int FirmwareVersionOf(LineLayout layout);

inline constexpr int kWetBit = 1;
inline constexpr int kLayoutAHeatingBit = 2;
inline constexpr int kSequenceModulus = 1000;

struct ReadingValues {
    SensorCodes codes;
    bool wet = false;
    int heaterRaw = 0;
    int sequence = 0;  // the running count that layouts C and D carry, mod kSequenceModulus
};

// Every field but the checksum, in the layout's order.
std::vector<int> ReadingFields(LineLayout layout, const ReadingValues& values);

// The line without its CR LF, checksum included.
std::string ReadingLine(LineLayout layout, const ReadingValues& values);

}  // namespace orvanta::sim
