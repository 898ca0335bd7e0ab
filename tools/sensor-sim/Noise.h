#pragma once
// What a real line carries when things go wrong: noise on the wire, a sensor that
// restarts, lines cut short, misread digits and readings out of range.

#include <string>
#include <vector>

#include "sensor-sim/Random.h"

namespace orvanta::sim {

enum class Fault {
    None,
    GarbageBefore,   // noise bytes glued to the front of the line
    GarbageThenNul,  // noise, then the NUL of a receiver settling, then the line
    BadChecksum,
    FieldDropped,
    FieldDoubled,
    StatusLine,      // a short status line such as "C042" before the reading
    StartUpLine,     // the sensor's start-up line, reading length, first character "F"
    CutOff,          // the line stops part way, without its line end
    NonDigit,        // a misread character inside a field
    AmbientTooCold,  // Amb = 999
    CaseTooHot,      // a sensor-case code below the decoder's limit
};
inline constexpr int kFaultKinds = static_cast<int>(Fault::CaseTooHot);

const char* FaultName(Fault fault);

// Picks a fault for the next reading: roughly one reading in three has one.
Fault PickFault(Random& random);

// The bytes on the wire for a reading whose fields (checksum not included) are given.
std::string WireBytes(const std::vector<int>& fields, Fault fault, Random& random);

}  // namespace orvanta::sim
