#include "sensor-sim/LineBuilder.h"

#include <array>
#include <span>

#include "decode/WireFormat.h"

namespace orvanta::sim {
namespace {

// Set stands for one calibration set of four fields; scenarios never calibrate, so
// sets are all zero and the decoder sees no calibration data.
enum class Slot { Fvr, Sky, Tem, Amb, Blk, Hea, Flg, Set, Tet, Amt, Dit, Vct, Seq, Rqt, Smt, Vcl };

using enum Slot;
constexpr std::array kLayoutA57{Fvr, Sky, Tem, Amb, Blk, Flg, Set, Set, Set};
constexpr std::array kLayoutA60{Fvr, Sky, Tem, Amb, Blk, Flg, Set, Set, Set, Vcl};
constexpr std::array kLayoutB{Fvr, Sky, Tem, Amb, Blk, Hea, Tet, Amt, Dit, Flg, Set, Set, Set, Set};
constexpr std::array kLayoutC{Fvr, Sky, Tem, Amb, Blk, Hea, Flg, Set, Set, Set, Set, Tet, Amt, Dit, Vct, Seq};
constexpr std::array kLayoutD{Fvr, Sky, Tem, Amb, Blk, Hea, Flg, Set, Set, Set, Tet, Amt, Rqt, Smt, Dit, Vct, Seq};

struct LayoutInfo {
    LineLayout layout;
    const char* name;
    int firmwareVersion;
    std::span<const Slot> slots;
};

constexpr std::array<LayoutInfo, 5> kLayouts{{
    {LineLayout::A57, "A57", 48, kLayoutA57},
    {LineLayout::A60, "A60", 48, kLayoutA60},
    {LineLayout::B, "B", 50, kLayoutB},
    {LineLayout::C, "C", 52, kLayoutC},
    {LineLayout::D, "D", 55, kLayoutD},
}};

const LayoutInfo& InfoOf(LineLayout layout) { return kLayouts[static_cast<std::size_t>(layout)]; }

// Fields the decoder only carries along: fixed values a sensor would plausibly send.
constexpr int kTet = 30;
constexpr int kAmt = 25;
constexpr int kDit = 5;
constexpr int kVct = 128;
constexpr int kRqt = 0;
constexpr int kSmt = 0;
constexpr int kVcl = 200;  // the decoder rejects anything above 255
constexpr int kFieldsPerSet = 4;

int FlagsFor(LineLayout layout, const ReadingValues& values) {
    int flags = values.wet ? kWetBit : 0;
    // Only the oldest layout has no heater field and reports heating in the flags.
    const bool layoutA = layout == LineLayout::A57 || layout == LineLayout::A60;
    if (layoutA && values.heaterRaw > 0) flags |= kLayoutAHeatingBit;
    return flags;
}

int SlotValue(Slot slot, LineLayout layout, const ReadingValues& values) {
    switch (slot) {
        case Fvr: return InfoOf(layout).firmwareVersion;
        case Sky: return values.codes.sky;
        case Tem: return values.codes.caseCode - kCaseCodeOffset;
        case Amb: return values.codes.ambient;
        case Blk: return values.codes.block;
        case Hea: return values.heaterRaw;
        case Flg: return FlagsFor(layout, values);
        case Set: return 0;
        case Tet: return kTet;
        case Amt: return kAmt;
        case Dit: return kDit;
        case Vct: return kVct;
        case Seq: return values.sequence % kSequenceModulus;
        case Rqt: return kRqt;
        case Smt: return kSmt;
        case Vcl: return kVcl;
    }
    return 0;
}

}  // namespace

std::optional<LineLayout> LineLayoutNamed(std::string_view name) {
    for (const LayoutInfo& info : kLayouts)
        if (name == info.name) return info.layout;
    return std::nullopt;
}

const char* LayoutName(LineLayout layout) { return InfoOf(layout).name; }

int FirmwareVersionOf(LineLayout layout) { return InfoOf(layout).firmwareVersion; }

std::vector<int> ReadingFields(LineLayout layout, const ReadingValues& values) {
    std::vector<int> fields;
    for (const Slot slot : InfoOf(layout).slots) {
        const int repeat = slot == Set ? kFieldsPerSet : 1;
        fields.insert(fields.end(), repeat, SlotValue(slot, layout, values));
    }
    return fields;
}

std::string ReadingLine(LineLayout layout, const ReadingValues& values) {
    return EncodeSensorLine(ReadingFields(layout, values));
}

}  // namespace orvanta::sim
