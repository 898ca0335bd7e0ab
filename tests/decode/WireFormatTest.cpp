#include "decode/WireFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

TEST(ParseFieldValue, AcceptsOnlyNonNegativeDecimalNumbers) {
    struct Case {
        const char* text;
        std::optional<int16_t> value;
    };
    const std::vector<Case> cases = {
        {" 12", 12},  {"012", 12},  {"12 ", 12},  {"+7", 7},   {"-0", 0},
        {"2.5", 2},   {"3.5", 4},   {"0.6", 1},   {"999", 999}, {"32767", 32767},
        {"-12", std::nullopt},  {"1A2", std::nullopt},  {"   ", std::nullopt},
        {"", std::nullopt},     {"1e2", std::nullopt},  {"0x1", std::nullopt},
        {"1,5", std::nullopt},  {"1.2.", std::nullopt}, {"- 1", std::nullopt},
        {"1 2", std::nullopt},  {"40000", std::nullopt}, {".", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFieldValue(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(FieldCount, RoundsAThirdOfTheLength) {
    const std::vector<std::pair<std::size_t, int>> cases = {
        {0, 0}, {1, 0}, {2, 1}, {3, 1}, {57, 19}, {70, 23}, {71, 24}, {72, 24}, {87, 29},
    };
    for (const auto& [length, count] : cases) {
        EXPECT_EQ(FieldCount(length), count) << length;
    }
}

TEST(IsReadingLength, KnowsTheFourLineLengths) {
    const std::vector<std::pair<std::size_t, bool>> cases = {
        {57, true},  {60, true},  {81, true},  {87, true}, {0, false},
        {56, false}, {58, false}, {84, false}, {88, false},
    };
    for (const auto& [length, reading] : cases) {
        EXPECT_EQ(IsReadingLength(length), reading) << length;
    }
}

TEST(Checksum, FoldsTheHighByteIntoTheLowByte) {
    const std::vector<std::pair<int32_t, int32_t>> cases = {
        {2571, 21}, {0, 0}, {255, 255}, {256, 1}, {511, 0}, {65535, 254},
    };
    for (const auto& [sum, checksum] : cases) {
        EXPECT_EQ(Checksum(sum), checksum) << sum;
    }
}

std::vector<int> ExampleFields() {
    std::vector<int> fields = {48, 512, 500, 512, 999, 0};
    fields.resize(18, 0);
    return fields;
}

TEST(EncodeSensorLine, PadsFieldsAndAppendsTheChecksum) {
    const std::string line = EncodeSensorLine(ExampleFields());
    EXPECT_EQ(line, "048512500512999000" + std::string(36, '0') + "021");

    const FieldScan scan = ScanFields(line);
    EXPECT_FALSE(scan.badField.has_value());
    EXPECT_EQ(scan.fieldCount, 19);
    EXPECT_EQ(scan.sumWithoutLast, 2571);
    EXPECT_EQ(scan.last, 21);
}

TEST(EncodeSensorLine, ChecksumChangesWithAnyFieldChangedByOne) {
    const std::vector<int> original = ExampleFields();
    const std::string checksum = EncodeSensorLine(original).substr(54);
    for (std::size_t i = 0; i < original.size(); ++i) {
        for (const int delta : {-1, 1}) {
            std::vector<int> changed = original;
            changed[i] += delta;
            if (changed[i] < 0 || changed[i] > 999) continue;
            EXPECT_NE(EncodeSensorLine(changed).substr(54), checksum) << i << ' ' << delta;
        }
    }
}

// "001002...023": 23 full fields whose values are their own 1-based numbers.
std::string CountingFields(int count) {
    std::vector<int> values(static_cast<std::size_t>(count));
    std::iota(values.begin(), values.end(), 1);
    return EncodeSensorLine(values).substr(0, values.size() * 3);
}

TEST(ScanFields, SeventiethCharacterOfA70CharLineBelongsToNoField) {
    // The stray character would be illegal if any field read it.
    const FieldScan scan = ScanFields(CountingFields(23) + "X");
    EXPECT_FALSE(scan.badField.has_value());
    EXPECT_EQ(scan.fieldCount, 23);
    EXPECT_EQ(scan.last, 23);
    EXPECT_EQ(scan.sumWithoutLast, 22 * 23 / 2);
}

TEST(ScanFields, A71CharLineEndsWithATwoCharField) {
    const FieldScan scan = ScanFields(CountingFields(23) + "07");
    EXPECT_FALSE(scan.badField.has_value());
    EXPECT_EQ(scan.fieldCount, 24);
    EXPECT_EQ(scan.fields[23], 7);
    EXPECT_EQ(scan.last, 7);
    EXPECT_EQ(scan.sumWithoutLast, 23 * 24 / 2);
}

TEST(ScanFields, StopsAtTheFirstIllegalField) {
    struct Case {
        const char* line;
        int badField;
        const char* badText;
    };
    const std::vector<Case> cases = {
        {"001002X03004-05", 2, "X03"},
        {"-01002", 0, "-01"},
        {"0010A", 1, "0A"},
        {"001002003004  ", 4, "  "},
    };
    for (const Case& c : cases) {
        const FieldScan scan = ScanFields(c.line);
        ASSERT_TRUE(scan.badField.has_value()) << c.line;
        EXPECT_EQ(*scan.badField, c.badField) << c.line;
        EXPECT_EQ(scan.badText, c.badText) << c.line;
    }
}

TEST(ScanFields, SumsFieldsBeyondTheTableWithoutStoringThem) {
    std::vector<int> values(102);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int>(i * 7 % 1000);
    const FieldScan scan = ScanFields(EncodeSensorLine(values));
    ASSERT_FALSE(scan.badField.has_value());
    EXPECT_EQ(scan.fieldCount, 103);
    EXPECT_EQ(scan.fields[100], values[100]);
    EXPECT_EQ(scan.sumWithoutLast, std::accumulate(values.begin(), values.end(), 0));
    EXPECT_EQ(scan.last, Checksum(scan.sumWithoutLast));
}

TEST(LayoutFor, PicksTheLayoutByFirmwareVersion) {
    const std::vector<std::pair<int16_t, Layout>> cases = {
        {48, Layout::A}, {49, Layout::B}, {51, Layout::B},
        {52, Layout::C}, {53, Layout::D}, {99, Layout::D},
    };
    for (const auto& [version, layout] : cases) {
        EXPECT_EQ(LayoutFor(version), layout) << version;
    }
}

constexpr int kNone = -1;

// Field i holds 10 * i + 1, so each decoded value names the position it came from.
int16_t Marker(int position) {
    return position == kNone ? int16_t{0} : static_cast<int16_t>(10 * position + 1);
}

TEST(DecodeLayout, ReadsEachValueFromItsLayoutsPosition) {
    struct Case {
        int16_t firmware;
        int flg;
        int heater;
        int dit;
        int firstSet;
        int setCount;
    };
    const std::vector<Case> cases = {
        {48, 5, kNone, kNone, 6, 3},
        {50, 9, 5, kNone, 10, 4},
        {52, 6, 5, kNone, 7, 4},
        {60, 6, 5, 23, 7, 3},
    };
    for (const Case& c : cases) {
        std::vector<int> values(28);
        for (std::size_t i = 1; i < values.size(); ++i) values[i] = Marker(static_cast<int>(i));
        values[0] = c.firmware;
        const FieldScan scan = ScanFields(EncodeSensorLine(values));
        ASSERT_FALSE(scan.badField.has_value());
        const LayoutFields got = DecodeLayout(scan.fields, LayoutFor(c.firmware));

        SCOPED_TRACE(c.firmware);
        EXPECT_EQ(got.Flg, Marker(c.flg));
        EXPECT_EQ(got.HeaterRaw, Marker(c.heater));
        EXPECT_EQ(got.Dit, Marker(c.dit));
        for (int n = 0; n < 4; ++n) {
            const CalibrationSet& set = got.sets[static_cast<std::size_t>(n)];
            const int first = c.firstSet + 4 * n;
            const bool carried = n < c.setCount;
            EXPECT_EQ(set.s, carried ? Marker(first) : 0) << "set " << n;
            EXPECT_EQ(set.t, carried ? Marker(first + 1) + 24 : 0) << "set " << n;
            EXPECT_EQ(set.a, carried ? Marker(first + 2) : 0) << "set " << n;
            EXPECT_EQ(set.b, carried ? Marker(first + 3) : 0) << "set " << n;
        }
    }
}

TEST(DecodeLayout, DerivesHeatingAndCloudyFlags) {
    struct Case {
        Layout layout;
        std::size_t flgAt;
        int16_t flg;
        int16_t heater;  // field 5, unless Flg lives there
        int16_t heatingF;
        int16_t vCloudy;
    };
    const std::vector<Case> cases = {
        {Layout::A, 5, 2, 0, 1, 0},  {Layout::A, 5, 5, 0, 0, 0},  {Layout::A, 5, 6, 0, 1, 0},
        {Layout::B, 9, 2, 0, 0, 1},  {Layout::B, 9, 1, 7, -1, 0}, {Layout::B, 9, 3, 1, -1, 1},
        {Layout::C, 6, 2, 0, 0, 1},  {Layout::C, 6, 4, 9, -1, 0},
        {Layout::D, 6, 6, 0, 0, 1},  {Layout::D, 6, 0, 3, -1, 0},
    };
    for (const Case& c : cases) {
        FieldTable fields{};
        fields[5] = c.heater;
        fields[c.flgAt] = c.flg;
        const LayoutFields got = DecodeLayout(fields, c.layout);
        SCOPED_TRACE(testing::Message()
                     << "layout " << static_cast<int>(c.layout) << " Flg " << c.flg);
        EXPECT_EQ(got.HeatingF, c.heatingF);
        EXPECT_EQ(got.VCloudyFlag, c.vCloudy);
    }
}

TEST(ParseFieldValue, IgnoresACommaDecimalLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    const std::optional<int16_t> value = ParseFieldValue("3.5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(value, 4);
}

}  // namespace
}  // namespace orvanta
