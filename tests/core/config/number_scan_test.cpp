#include "core/config/number_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace quellix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberScanTest, TakesTheLeadingNumber) {
    struct Case {
        std::string text;
        double expected;
    };
    const std::vector<Case> cases = {
        {"45", 45},       {"45s", 45},
        {"abc", 0},       {"", 0},
        {"1.2.3", 1.2},   {"- 5", 0},
        {".", 0},         {"+", 0},
        {"-", 0},         {"-.5", -0.5},
        {".5", 0.5},      {"5.", 5},
        {"+7", 7},        {"-12.75x", -12.75},
        {" \t 3.5", 3.5}, {"\n5", 0},
        {"12 34", 12},    {"007", 7},
        {"1,5", 1},       {"1e3", 1},
        {"0x10", 0},      {"--5", 0},
        {"0.1", 0.1},     {"123456789.123456789", 123456789.123456789},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        EXPECT_EQ(ScanLeadingNumber(c.text), c.expected);
    }
}

TEST(NumberScanTest, NegativeZeroReadsAsPlainZero) {
    for (const std::string text : {"-0", "-0.000", "-.0"}) {
        SCOPED_TRACE(text);
        const double value = ScanLeadingNumber(text);
        EXPECT_EQ(value, 0.0);
        EXPECT_FALSE(std::signbit(value));
    }
}

TEST(NumberScanTest, OutOfRangeDigitStrings) {
    const std::string nines(400, '9');
    const std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(ScanLeadingNumber(nines), kInf);
    EXPECT_EQ(ScanLeadingNumber("+" + nines + ".5"), kInf);
    EXPECT_EQ(ScanLeadingNumber("-" + nines + "abc"), -kInf);
    EXPECT_EQ(ScanLeadingNumber(tiny), 0.0);
    EXPECT_EQ(ScanLeadingNumber("-" + tiny), 0.0);
    // Many digits that still fit must not be taken for an overflow.
    EXPECT_EQ(ScanLeadingNumber("0000000000000000000000000000000000000000000000000000000012"), 12);
    EXPECT_DOUBLE_EQ(ScanLeadingNumber("1" + std::string(300, '0')), 1e300);
}

TEST(NumberScanTest, RoundsHalfToEvenWithinInt16) {
    struct Case {
        double value;
        std::optional<std::int16_t> expected;
    };
    const std::vector<Case> cases = {
        {0.0, 0},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {-0.5, 0},
        {1.5, 2},
        {2.4999999, 2},
        {2.5000001, 3},
        {-2.5000001, -3},
        {0.49999999999999994, 0},  // floor(x + 0.5) would give 1
        {32767.0, 32767},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {32768.0, std::nullopt},
        {-32768.0, -32768},
        {-32768.5, -32768},
        {-32768.6, std::nullopt},
        {1e300, std::nullopt},
        {kInf, std::nullopt},
        {-kInf, std::nullopt},
        {kNaN, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value: " << c.value);
        EXPECT_EQ(RoundToInt16(c.value), c.expected);
    }
}

TEST(NumberScanTest, RoundsHalfToEvenWithinInt32) {
    struct Case {
        double value;
        std::optional<std::int32_t> expected;
    };
    const std::vector<Case> cases = {
        {2.5, 2},
        {-3.5, -4},
        {32768.0, 32768},
        {1000000000.5, 1000000000},
        {1000000001.5, 1000000002},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},
        {2147483648.0, std::nullopt},
        {-2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1},
        {-2147483648.6, std::nullopt},
        {4503599627370497.0, std::nullopt},
        {kInf, std::nullopt},
        {kNaN, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value: " << c.value);
        EXPECT_EQ(RoundToInt32(c.value), c.expected);
    }
}

TEST(NumberScanTest, ShortestDecimalTextInFixedNotation) {
    struct Case {
        double value;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {24, "24"},
        {1.5, "1.5"},
        {1e20, "100000000000000000000"},
        {0.1, "0.1"},
        {-3.25, "-3.25"},
        {0.0, "0"},
        {-0.0, "0"},
        {1e-7, "0.0000001"},
        {0.30000000000000004, "0.30000000000000004"},
        {123456.789, "123456.789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(ShortestDecimalText(c.value), c.expected);
    }
}

TEST(NumberScanTest, ShortestDecimalTextReadsBackExactly) {
    const std::vector<double> values = {
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::epsilon(),
        2.0 / 3.0,
        -1e-300,
        9007199254740993.0,
    };
    for (const double value : values) {
        const std::string text = ShortestDecimalText(value);
        SCOPED_TRACE(text);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos);
        EXPECT_EQ(ScanLeadingNumber(text), value);
    }
}

}  // namespace
}  // namespace quellix
