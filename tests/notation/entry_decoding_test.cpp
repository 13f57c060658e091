#include "notation/entry_decoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "notation/entry_errors.h"

namespace orvanto {
namespace {

constexpr EntryMode kMin = EntryMode::Minutes;
constexpr EntryMode kSec = EntryMode::Seconds;
constexpr double kOverflow = INFINITY;  // expected: OverflowError
constexpr double kMismatch = NAN;       // expected: TypeMismatchError

struct DecodeRow {
    std::string text;
    EntryMode mode;
    double degrees;
};

// clang-format off
const DecodeRow kDecodeRows[] = {
    {"4250.0", kMin, 42.8333333333}, {"4250", kMin, 42.8333333333}, {"9338.80", kMin, 93.6466666667},
    {"12000", kMin, 120}, {"4275.0", kMin, 43.25}, {"42.5", kMin, 0.7083333333}, {"42ab", kMin, 0.7},
    {"abc", kMin, 0}, {"", kMin, 0}, {"4250,5", kMin, 42.8333333333}, {"42 50.0", kMin, 42.8333333333},
    {"32799.9", kMin, 328.665}, {"42中", kMin, 0.7},
    {"32800", kMin, kOverflow}, {"421125", kMin, kOverflow}, {"1e400", kMin, kOverflow},
    {"421125", kSec, 42.1902777778}, {"1021125", kSec, 102.1902777778}, {"420000", kSec, 42},
    {"421160", kSec, 42.2}, {"4211", kSec, 0.7030555556}, {"123", kSec, 0.2063888889},
    {"5", kSec, 0.0847222222}, {" 421125", kSec, 42.1902777778}, {"4250.0", kSec, 0.8333333333},
    {"327675959", kSec, 32767.9997222222}, {"327685959", kSec, kOverflow},
    {"9e99999", kSec, kOverflow},  // the pieces are numbers, the whole is infinite
    // The fixed rule takes the pieces where they stand: seconds "5 ", minutes "12". readEntry drops
    // the blank first (see ReadEntry); were this rule to trim, it would no longer be the rule.
    {"421125 ", kSec, 42.2013888889},
    // The degrees are rounded half to even: (5000 - 0 - 0) / 10000 gives 0, not 1.
    {"5000.00", kSec, 0}, {"25000.00", kSec, 2},
    {"中421125", kSec, 11.0 / 60 + 25.0 / 3600},  // characters are counted, not bytes
    {"42a125", kSec, kMismatch}, {"4211ab", kSec, kMismatch}, {"", kSec, kMismatch},
    {"-", kSec, kMismatch}, {"4211２5", kSec, kMismatch}, {"42\xff\xfe", kSec, kMismatch},
    // A leading "-" makes the entry the negative of the same entry without it, in either mode.
    {"-4250.0", kMin, -42.8333333333}, {"-0030", kMin, -0.5}, {"  -4250.0", kMin, -42.8333333333},
    {"-32799.9", kMin, -328.665}, {"-32800", kMin, kOverflow}, {"+4250.0", kMin, 42.8333333333},
    {"-421125", kSec, -42.1902777778}, {"-1021125", kSec, -102.1902777778},
    {"-327685959", kSec, kOverflow},
    // After the sign is taken off, "-4250.0" is left: its degrees are rounded down to -43, not
    // toward zero, so the minutes count up from -43.
    {"--4250.0", kMin, 42.1666666667}, {"--50", kMin, 0.1666666667},
};
// clang-format on

TEST(DecodeEntry, ReadsTheChartNotation) {
    for (const DecodeRow& row : kDecodeRows) {
        SCOPED_TRACE("\"" + row.text + (row.mode == kMin ? "\" minutes" : "\" seconds"));
        if (row.degrees == kOverflow) {
            EXPECT_THROW(decodeEntry(row.text, row.mode), OverflowError);
        } else if (std::isnan(row.degrees)) {
            EXPECT_THROW(decodeEntry(row.text, row.mode), TypeMismatchError);
        } else {
            EXPECT_NEAR(decodeEntry(row.text, row.mode), row.degrees, 1e-9);
        }
    }
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const std::pair<std::string, double> rows[] = {
        {"", 0},          {"abc", 0},           {"42ab", 42},
        {"4250,5", 4250}, {" 4 2\t5\n0", 4250}, {"-12.5x", -12.5},
        {".5", 0.5},      {"1.2.3", 1.2},       {"1e3", 1000},
        {"1E-2", 0.01},   {"2d2", 200},         {"2D+1", 20},
        {"1e+", 1},       {"+-1", 0},           {".", 0},
        {"1e-400", 0},    {"1e400", INFINITY},  {"-1" + std::string(400, '0'), -INFINITY},
    };
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(leadingNumber(text), value) << '"' << text << '"';
    }
}

// Short decimals are read by one exact division: over many generated ones that must round exactly
// as a correctly rounded reading (strtod) does.
TEST(LeadingNumber, ReadsShortDecimalsCorrectlyRounded) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::to_string(random() % 1'000'000'000'000'000U);
        text.insert(static_cast<std::size_t>(random() % (text.size() + 1)), ".");
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(leadingNumber(text), expected) << text;
    }
}

TEST(StrictNumber, AcceptsOnlyAWholeNumber) {
    for (const auto& [text, value] :
         {std::pair{" 5 ", 5.0}, {"-1", -1.0}, {".0", 0.0}, {"1.", 1.0}, {"\t12", 12.0}}) {
        EXPECT_EQ(strictNumber(text), value) << '"' << text << '"';
    }
    for (const char* text : {"", " ", "a1", "1a", ".", "-", "1.2.", "1e2", "1,5", "１"}) {
        EXPECT_THROW(strictNumber(text), TypeMismatchError) << '"' << text << '"';
    }
}

// The one-pass reading must give decodeEntry's bits, on every text it takes, over random texts of
// digits, points and signs in both modes, and minutes a hair below a whole hundred (where whole
// degrees computed apart from the value could differ); and take every plain text whose degrees
// are below 100.
TEST(DecodePlainEntry, GivesDecodeEntrysBits) {
    const std::vector<std::string> belowAHundred = {
        "99.9999999999999", "199.999999999999", "4299.99999999999", "32799.9999999999",
        "9.99999999999999", ".999999999999999", "-8999.9999999999", "99.99999999999"};
    std::mt19937 random(18);
    int taken = 0;
    for (std::size_t i = 0; i < 400'000; ++i) {
        std::string text = i < belowAHundred.size() ? belowAHundred[i] : "";
        for (std::size_t n = text.empty() ? random() % 18 : 0; n > 0; --n) {
            text += "-.0123456789012345678901234567890123456789"[random() % 42];
        }
        const EntryMode mode = i % 2 == 0 || i < belowAHundred.size() ? kMin : kSec;
        const std::string_view number = std::string_view{text}.substr(text.starts_with('-'));
        const auto points = std::count(number.begin(), number.end(), '.');
        const auto digits = number.size() - static_cast<std::size_t>(points);
        const std::size_t wholeDigits = std::min(number.find('.'), number.size());
        const bool plainBelow100 =
            number.find('-') == std::string_view::npos &&
            (mode == kMin ? points <= 1 && digits >= 1 && digits <= 15 && wholeDigits <= 4
                          : points == 0 && digits >= 4 && digits <= 6);
        EXPECT_TRUE(!plainBelow100 || decodePlainEntry(text, mode)) << '"' << text << '"';
        if (const auto fast = decodePlainEntry(text, mode); fast && ++taken > 0) {
            const double full = decodeEntry(text, mode);
            std::uint64_t fastBits = 0;
            std::uint64_t fullBits = 0;
            std::memcpy(&fastBits, &*fast, sizeof fastBits);
            std::memcpy(&fullBits, &full, sizeof fullBits);
            ASSERT_EQ(fastBits, fullBits) << '"' << text << '"';
        }
    }
    EXPECT_GT(taken, 100'000);
}

}  // namespace
}  // namespace orvanto
