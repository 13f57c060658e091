#include "notation/entry_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "../geometry/same_bits.h"
#include "notation/entry_errors.h"

namespace orvanto {
namespace {

constexpr EntryMode kMin = EntryMode::Minutes;
constexpr EntryMode kSec = EntryMode::Seconds;
constexpr Axis kLat = Axis::Latitude;
constexpr Axis kLon = Axis::Longitude;

struct Row {
    std::string text;
    EntryMode mode;
    Axis axis;
    std::string read;  // the degrees, or the failure: overflow, mismatch, range or a form problem
};

// clang-format off
const Row kRows[] = {
    // Characters as an input method or a spreadsheet gives them.
    {"４２５０．０", kMin, kLat, "42.8333333333"}, {"４２１１２５", kSec, kLat, "42.1902777778"},
    {"４２１１２５", kMin, kLat, "overflow"}, {"4250。5", kMin, kLat, "42.8416666667"},
    {"4250。0", kSec, kLat, "mismatch"}, {"－421125", kSec, kLat, "-42.1902777778"},
    {"42\u300050.0", kMin, kLat, "42.8333333333"},
    {"\uFEFF−4250.0\u200B", kMin, kLat, "-42.8333333333"},  // invisible marks, a minus sign U+2212
    // Hemisphere designators, at either end, in the box's own axis only.
    {"4250.0S", kMin, kLat, "-42.8333333333"}, {"S4250.0", kMin, kLat, "-42.8333333333"},
    {"4250.0南", kMin, kLat, "-42.8333333333"}, {"南纬 4250.0", kMin, kLat, "-42.8333333333"},
    {" ｓ 4250.0", kMin, kLat, "-42.8333333333"}, {"4250.0n", kMin, kLat, "42.8333333333"},
    {"S0030.0", kMin, kLat, "-0.5"}, {"12130.0W", kMin, kLon, "-121.5"},
    {"西经12130.0", kMin, kLon, "-121.5"},
    {"东经12130.0", kMin, kLon, "121.5"}, {"421125S", kSec, kLat, "-42.1902777778"},
    {"S421125", kSec, kLat, "-42.1902777778"}, {"4250.0E", kMin, kLat, "OtherAxis"},
    {"东经12130.0", kMin, kLat, "OtherAxis"}, {"N4250.0", kMin, kLon, "OtherAxis"},
    {"-4250.0S", kMin, kLat, "DesignatorWithSign"}, {"-S4250.0", kMin, kLat, "DesignatorWithSign"},
    {"N4250.0S", kMin, kLat, "TwoDesignators"}, {"NS4250.0", kMin, kLat, "TwoDesignators"},
    {"S", kSec, kLat, "NoDigit"}, {"北纬 .", kMin, kLat, "NoDigit"},
    // D is never a designator, and an E inside keeps its exponent meaning.
    {"4250.0D", kMin, kLat, "NotANumber"}, {"1E2", kMin, kLat, "1"}, {"1E2E", kMin, kLon, "1"},
    // The symbol form, in either mode.
    {"42°50.0′", kMin, kLat, "42.8333333333"}, {"42°50.0'", kSec, kLat, "42.8333333333"},
    {"42°11′25″", kSec, kLat, "42.1902777778"}, {"42°11'25\"", kMin, kLat, "42.1902777778"},
    {"北纬42度11分25秒", kMin, kLat, "42.1902777778"}, {"42º 11’ 25”", kSec, kLat, "42.1902777778"},
    {"42˚11'25''", kMin, kLat, "42.1902777778"}, {"42°50．5′", kSec, kLat, "42.8416666667"},
    {"42°", kMin, kLat, "42"}, {"42°30", kMin, kLat, "42.5"}, {"42.5°", kMin, kLat, "42.5"},
    {"-42°11′25", kMin, kLat, "-42.1902777778"}, {"120.25°W", kMin, kLon, "-120.25"},
    {"42° 11 25", kMin, kLat, "DigitsSplit"}, {"42°50,5′", kMin, kLat, "SymbolForm"},
    {"42°11.5′30″", kMin, kLat, "SymbolForm"}, {"42′30°", kMin, kLat, "SymbolForm"},
    {"42°11′25″9", kMin, kLat, "SymbolForm"}, {"°", kSec, kLat, "SymbolForm"},
    // A pasted cell's trailing blank once shifted the seconds pieces by a digit: "421125 " read
    // 42°12′05″, 1.7 km off. The blanks are dropped before the pieces are taken.
    {"421125 ", kSec, kLat, "42.1902777778"}, {" 421125", kSec, kLat, "42.1902777778"},
    {"42 11 25", kSec, kLat, "42.1902777778"}, {"421125\r\n", kSec, kLat, "42.1902777778"},
    // A longitude typed into a latitude box was once computed as a place at 93.6°.
    {"9338.80", kMin, kLat, "range"}, {"9338.80", kMin, kLon, "93.6466666667"},
    {"18000.0", kMin, kLon, "180"}, {"18000.1", kMin, kLon, "range"}, {"-9000", kMin, kLat, "-90"},
    {std::string(400, '9') + "°", kMin, kLon, "range"},
    // What the fixed rule once read silently is told; its own errors come first.
    {"42ab", kMin, kLat, "NotANumber"}, {"nan", kMin, kLon, "NotANumber"},
    {"4250,5", kMin, kLat, "Comma"}, {"--4250.0", kMin, kLat, "TwoSigns"},
    {"4250.0", kSec, kLat, "SecondsNotDigits"}, {"- 5", kSec, kLat, "-0.0013888889"},
    {"421125x", kMin, kLat, "overflow"}, {"42a125", kSec, kLat, "mismatch"},
    {"4275.0", kMin, kLat, "43.25"}, {"42 50.0", kMin, kLat, "42.8333333333"},
    // A blank inside the number once moved digits between degrees and minutes: "42 5.0" read
    // 4°25.0′, "42 11" in seconds 0°42′11″. It may stand only between the groups a chart writes.
    {"42 05", kMin, kLat, "42.0833333333"}, {"0 00.0", kMin, kLat, "0"},
    {"-42 50.0", kMin, kLat, "-42.8333333333"}, {"S 42 50.0", kMin, kLat, "-42.8333333333"},
    {"- 4250.0", kMin, kLat, "-42.8333333333"}, {"42 5.0", kMin, kLat, "MinutesSplit"},
    {"4 250.0", kMin, kLat, "MinutesSplit"}, {"4250 .0", kMin, kLat, "MinutesSplit"},
    {"42 50. 5", kMin, kLat, "MinutesSplit"}, {"4 2 50.0", kMin, kLat, "MinutesSplit"},
    {"1 E2", kMin, kLat, "MinutesSplit"}, {"42 50 30", kMin, kLat, "overflow"},
    {"4211 25", kSec, kLat, "42.1902777778"}, {"42 1125", kSec, kLat, "42.1902777778"},
    {"0 00 05", kSec, kLat, "0.0013888889"}, {"42 11", kSec, kLat, "SecondsSplit"},
    {"42 11 5", kSec, kLat, "SecondsSplit"}, {"421 125", kSec, kLat, "SecondsSplit"},
    {"4 2 11 25", kSec, kLat, "SecondsSplit"}, {" 1 2 3 ", kSec, kLat, "SecondsSplit"},
    {"42\u202811\u202925", kSec, kLat, "42.1902777778"},  // pasted line separators are blanks
};
// clang-format on

const char* const kProblems[] = {
    "OtherAxis",    "TwoDesignators", "DesignatorWithSign", "NoDigit",    "SymbolForm",
    "DigitsSplit",  "Comma",          "TwoSigns",           "NotANumber", "SecondsNotDigits",
    "MinutesSplit", "SecondsSplit"};

// The degrees as text, or the failure's name.
std::string readAs(const Row& row, double& degrees) {
    try {
        degrees = readEntry(row.text, row.mode, row.axis);
        return "degrees";
    } catch (const OverflowError&) {
        return "overflow";
    } catch (const TypeMismatchError&) {
        return "mismatch";
    } catch (const OutOfRangeError&) {
        return "range";
    } catch (const EntryFormError& error) {
        return kProblems[static_cast<int>(error.problem())];
    }
}

TEST(ReadEntry, ReadsEveryAcceptedFormAndNamesWhatIsWrong) {
    for (const Row& row : kRows) {
        SCOPED_TRACE("\"" + row.text + (row.mode == kMin ? "\" minutes" : "\" seconds"));
        double degrees = NAN;
        const std::string outcome = readAs(row, degrees);
        // The one-pass reading of plain entries either leaves a text to readEntry or gives its
        // very bits.
        const std::optional<double> plain = readPlainEntry(row.text, row.mode, row.axis);
        EXPECT_TRUE(!plain || (outcome == "degrees" && sameBits(*plain, degrees)));
        if (row.read.find_first_of("0123456789") == 0 || row.read[0] == '-') {
            ASSERT_EQ(outcome, "degrees");
            EXPECT_NEAR(degrees, std::stod(row.read), 1e-9);
        } else {
            EXPECT_EQ(outcome, row.read);
        }
    }
}

TEST(ReadEntry, SymbolFormAddsInAFixedOrder) {
    EXPECT_EQ(readEntry("42°11′25.3″", kMin, kLat), (42.0 + 11.0 / 60) + 25.3 / 3600);
}

}  // namespace
}  // namespace orvanto
