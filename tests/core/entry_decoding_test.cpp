#include "entry_decoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "calculation_errors.h"

namespace orvanto {
namespace {

constexpr EntryMode kMin = EntryMode::Minutes;
constexpr EntryMode kSec = EntryMode::Seconds;

struct DecodeRow {
    std::string text;
    EntryMode mode;
    double degrees;
    const char* reading;
};

// The notation's own examples; a failure names the row.
const DecodeRow kDecodeRows[] = {
    {"4250.0", kMin, 42.8333333333, "42°50.0'"},
    {"4250", kMin, 42.8333333333, "decimal minutes are optional"},
    {"9338.80", kMin, 93.6466666667, "93°38.80'"},
    {"12000", kMin, 120, "120°00'"},
    {"4275.0", kMin, 43.25, "75 minutes kept as they are"},
    {"42.5", kMin, 0.7083333333, "read as 0°42.5'"},
    {"42ab", kMin, 0.7, "reading stops at a letter"},
    {"abc", kMin, 0, "no number read"},
    {"", kMin, 0, "empty text is no number"},
    {"4250,5", kMin, 42.8333333333, "a comma is no decimal point"},
    {"42 50.0", kMin, 42.8333333333, "inner blanks are dropped"},
    {"32799.9", kMin, 328.665, "largest degrees accepted: 327"},
    {"42中", kMin, 0.7, "a Chinese character stops the reading"},
    {"421125", kSec, 42.1902777778, "42°11'25\""},
    {"1021125", kSec, 102.1902777778, "102°11'25\""},
    {"420000", kSec, 42, "whole degrees"},
    {"421160", kSec, 42.2, "60 seconds kept as they are"},
    {"4211", kSec, 0.7030555556, "read as 0°42'11\""},
    {"123", kSec, 0.2063888889, "minutes and seconds overlap"},
    {"5", kSec, 0.0847222222, "one character is both pieces"},
    {" 421125", kSec, 42.1902777778, "leading space harmless"},
    // Regression guard: the pieces are taken by position, so a trailing space shifts them.
    {"421125 ", kSec, 42.2013888889, "seconds \"5 \", minutes \"12\""},
    {"4250.0", kSec, 0.8333333333, "minutes notation in seconds mode"},
    {"327675959", kSec, 32767.9997222222, "largest degrees accepted: 32767"},
    // Negative entries are the negatives of the same entries without the sign.
    {"-4250.0", kMin, -42.8333333333, "south or west, minutes mode"},
    {"-9338.80", kMin, -93.6466666667, "three degree digits"},
    {"-0030", kMin, -0.5, "below one degree"},
    {"  -4250.0", kMin, -42.8333333333, "blanks before the sign"},
    {"-32799.9", kMin, -328.665, "same limit for both signs"},
    {"-421125", kSec, -42.1902777778, "south or west, seconds mode"},
    {"-1021125", kSec, -102.1902777778, "three degree digits"},
    {"-420000", kSec, -42, "whole degrees"},
    {"+4250.0", kMin, 42.8333333333, "a plus sign is harmless"},
};

TEST(DecodeEntry, ReadsTheChartNotation) {
    for (const DecodeRow& row : kDecodeRows) {
        SCOPED_TRACE("\"" + row.text + "\": " + row.reading);
        EXPECT_NEAR(decodeEntry(row.text, row.mode), row.degrees, 1e-9);
    }
}

struct FailureRow {
    std::string text;
    EntryMode mode;
    bool overflow;  // otherwise a type mismatch
};

const FailureRow kFailureRows[] = {
    {"32800", kMin, true},        // degrees 328
    {"421125", kMin, true},       // seconds notation in minutes mode
    {"-32800", kMin, true},       // the limit holds for negatives too
    {"-32800.5", kMin, true},     //
    {"1e400", kMin, true},        // beyond a double: read as infinity
    {"327685959", kSec, true},    // degrees 32768
    {"-327685959", kSec, true},   //
    {"9e99999", kSec, true},      // the pieces are numbers, the whole is infinite
    {"42a125", kSec, false},      // minutes "a1"
    {"4211ab", kSec, false},      // seconds "ab"
    {"", kSec, false},            // nothing to read
    {"-", kSec, false},           // only a sign
    {"4211２5", kSec, false},     // a full-width digit is one character, not a number
    {"中文", kSec, false},        //
    {"42\xff\xfe", kSec, false},  // bytes that are not UTF-8 count one each
};

TEST(DecodeEntry, ReportsTheKindOfFailure) {
    for (const FailureRow& row : kFailureRows) {
        SCOPED_TRACE("\"" + row.text + "\"");
        if (row.overflow) {
            EXPECT_THROW(decodeEntry(row.text, row.mode), OverflowError);
        } else {
            EXPECT_THROW(decodeEntry(row.text, row.mode), TypeMismatchError);
        }
    }
}

TEST(DecodeEntry, CountsCharactersNotBytes) {
    // "中" is three bytes but one character: the seconds are "25", the minutes "11".
    EXPECT_NEAR(decodeEntry("中421125", kSec), 11.0 / 60 + 25.0 / 3600, 1e-12);
}

struct NumberRow {
    std::string text;
    double value;
};

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const NumberRow rows[] = {
        {"", 0},          {"abc", 0},           {"42ab", 42},
        {"4250,5", 4250}, {" 4 2\t5\n0", 4250}, {"-12.5x", -12.5},
        {"+7", 7},        {".5", 0.5},          {"5.", 5},
        {"1.2.3", 1.2},   {"1e3", 1000},        {"1E-2", 0.01},
        {"2d2", 200},     {"2D+1", 20},         {"1e", 1},
        {"1e+", 1},       {"+-1", 0},           {"-", 0},
        {".", 0},         {"1e-400", 0},        {"0.0000000000000000000000000000001e-300", 0},
    };
    for (const NumberRow& row : rows) {
        SCOPED_TRACE("\"" + row.text + "\"");
        EXPECT_DOUBLE_EQ(leadingNumber(row.text), row.value);
    }
    EXPECT_EQ(leadingNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber("-1" + std::string(400, '0')),
              -std::numeric_limits<double>::infinity());
}

TEST(StrictNumber, AcceptsOnlyAWholeNumber) {
    const NumberRow accepted[] = {{"25", 25}, {" 5 ", 5}, {"5 ", 5}, {"-1", -1},
                                  {"+1", 1},  {".0", 0},  {"1.", 1}, {"\t12", 12}};
    for (const NumberRow& row : accepted) {
        SCOPED_TRACE("\"" + row.text + "\"");
        EXPECT_DOUBLE_EQ(strictNumber(row.text), row.value);
    }
    for (const char* text : {"", " ", "a1", "ab", "1a", ".", "-", "1.2.", "1e2", "1,5", "１"}) {
        SCOPED_TRACE(std::string{"\""} + text + "\"");
        EXPECT_THROW(strictNumber(text), TypeMismatchError);
    }
}

}  // namespace
}  // namespace orvanto

namespace orvanto {
namespace {

// Whatever is typed, decoding gives a finite number or one of its two failures, never a crash, an
// out-of-range read or a stray exception type.
TEST(DecodeEntry, AnyTextDecodesOrFailsCleanly) {
    const std::string alphabet[] = {"0",  "1",  "4", "9", ".",  "-",  "+",    "e",        "D", " ",
                                    "\t", "\n", ",", "a", "中", "２", "\xff", "\xe4\xb8", "5"};
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n) {
            text += alphabet[pick(random)];
        }
        for (const EntryMode mode : {kMin, kSec}) {
            try {
                EXPECT_TRUE(std::isfinite(decodeEntry(text, mode))) << text;
            } catch (const OverflowError&) {
            } catch (const TypeMismatchError&) {
                EXPECT_EQ(mode, kSec) << "minutes mode never reports bad characters: " << text;
            }
        }
    }
}

}  // namespace
}  // namespace orvanto
