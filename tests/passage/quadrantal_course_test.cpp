// True courses in the textbook's quadrantal form: what is read through the course reader every box
// and option uses, and what the text forms write.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "passage/passage_values.h"
#include "passage/quadrantal_course.h"

namespace orvanto::passage {
namespace {

TEST(QuadrantalCourse, ReadAsTheBookWritesItAndRefusedOutOfItsQuadrant) {
    const struct {
        const char* typed;
        double course;  // NaN: refused
    } rows[] = {
        {"S53°26′E", 180 - (53 + 26.0 / 60)},
        {"N45E", 45},
        {"S 53 26 E", 180 - (53 + 26.0 / 60)},
        {"南53°26′东", 180 - (53 + 26.0 / 60)},
        {"Ｓ５３°２６′Ｅ", 180 - (53 + 26.0 / 60)},
        {"ｎ45ｗ", 315},
        {"s 12 30 15.5 w", 180 + 12 + 30.0 / 60 + 15.5 / 3600},
        {"N53°26'30''W", 360 - (53 + 26.0 / 60 + 30.0 / 3600)},  // '' is a second mark
        {"N53°26''W", NAN},                                      // seconds come after minutes
        {"N90E", 90},
        {"N90W", 270},
        {"S0E", 180},
        {"S0W", 180},
        {"N0W", 0},  // 360 is north again
        {"北45.5西", 314.5},
        {"N95E", NAN},
        {"N90°0.1′E", NAN},
        {"S53°60′E", NAN},   // minutes stay below 60
        {"S53.5 26E", NAN},  // only the last part has decimals
        {"S-45E", NAN},      // no sign
        {"S45E T", NAN},     // always true: no letter after
        {"E45N", NAN},       // north or south first
        {"NE", NAN},
        {"N 1 2 3 4 E", NAN},
        {"N45", NAN},
        {"N45°E M", NAN},
        {"N.5E", NAN},
    };
    for (const auto& row : rows) {
        const auto read = readCourse(row.typed);
        if (std::isnan(row.course)) {
            EXPECT_FALSE(read) << row.typed;
            continue;
        }
        ASSERT_TRUE(read) << row.typed;
        EXPECT_EQ(read->reference, navigation::CourseReference::True) << row.typed;
        EXPECT_NEAR(read->degrees, row.course, 1e-12) << row.typed;
    }
}

TEST(QuadrantalCourse, WrittenToATenthOfAMinuteItsQuadrantChosenAfterRounding) {
    const struct {
        double course;
        const char* text;
    } rows[] = {
        {126.5711, "S53°25.7′E"},
        {0, "N0°00.0′E"},
        {359.99999, "N0°00.0′E"},
        {89.9999, "N90°00.0′E"},  // not S90°00.0′E: the quadrant of the rounded course
        {90.0001, "N90°00.0′E"},
        {180, "S0°00.0′E"},
        {180.5, "S0°30.0′W"},
        {270, "N90°00.0′W"},
        {300.25, "N59°45.0′W"},
        {45.999999, "N46°00.0′E"},  // 59.99994′ carries into the degree
        {5.0533, "N5°03.2′E"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(quadrantalText(row.course), row.text) << row.course;
    }
}

}  // namespace
}  // namespace orvanto::passage
