#include "text/decimal_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace orvanto {
namespace {

std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// strtod is the reference (in the C locale the tests run in); it does not read the "D" marker,
// so the text it gets has an "E" there.
void expectSameAsStrtod(const std::string& text) {
    std::string reference = text;
    for (char& c : reference) {
        c = c == 'd' || c == 'D' ? 'E' : c;
    }
    ASSERT_EQ(bitsOf(readDecimalNumber(text).value()),
              bitsOf(std::strtod(reference.c_str(), nullptr)))
        << text;
}

TEST(DecimalNumber, ReadsEveryShapeAsStrtodDoes) {
    for (const char* text : {"0", "-0", "+1", "4250.0", ".5", "5.", "1E2", "1d2", "-1D-2", "+2e+3",
                             "1e400", "-1e400", "1e-400", "4.9e-324", "2.4703282292062327e-324",
                             "9007199254740993", "0.1000000000000000055511151231257827",
                             "179769313486231580793728971405303415079934132710037826936173778980444"
                             "968292764750946649017977587207096330286416692887910946555547851940402"
                             "630657488671505820681908902000708383676273854845817711531764475730270"
                             "069855571366959622842914819860834936475292719074168444365510704342711"
                             "559699508093042880177904174497791.9999999999"}) {
        expectSameAsStrtod(text);
    }
    std::mt19937_64 random{11};
    for (int round = 0; round < 200000; ++round) {
        std::string text = round % 4 == 0 ? "-" : round % 4 == 1 ? "+" : "";
        const auto digits = random() % 25 + 1;
        const auto point = random() % (digits + 2);
        for (std::uint64_t i = 0; i < digits; ++i) {
            if (i == point) {
                text += '.';
            }
            text += static_cast<char>('0' + random() % 10);
        }
        if (round % 3 == 0) {
            text += "eEdD"[random() % 4];
            text += std::to_string(static_cast<int>(random() % 700) - 350);
        }
        expectSameAsStrtod(text);
    }
}

TEST(DecimalNumber, AnythingElseIsNotANumber) {
    for (const char* text : {"", "+", "-", ".", "e5", "1e", "1e+", "1 ", " 1", "1,5", "++1", "0x10",
                             "inf", "nan", "1.2.3"}) {
        EXPECT_FALSE(readDecimalNumber(text)) << text;
    }
}

}  // namespace
}  // namespace orvanto
