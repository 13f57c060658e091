// Compass error (罗经差): the magnetic variation (磁差) of the chart's compass rose plus the ship
// compass's own deviation (自差), both east positive. A magnetic course is the true course minus
// the variation, a compass course the magnetic course minus the deviation. The deviation changes
// with the ship's head: one value for every heading, or a deviation card (自差表) that gives it at
// some magnetic headings, usually every 15°, interpolated in between.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "navigation/passage_values.h"
#include "text/expected.h"

namespace orvanto::navigation {

struct DeviationCard {
    struct Entry {
        double heading = 0;    // magnetic, 0 <= heading < 360
        double deviation = 0;  // degrees, east positive
    };
    std::vector<Entry> entries;  // by heading, each heading once, at least two
};

// A deviation card from a CSV or TSV (table_file.h) with the columns heading and deviation (or
// 航向 and 自差): headings read as courses (0 to 360, 360 being 000), deviations as variations
// (3.5W, -3.5, 2E). What is wrong, naming the line, for the user; InputOutputError when the input
// cannot be read.
Expected<DeviationCard, std::string> readDeviationCard(batch::CsvReader& reader,
                                                       batch::TextCodec& codec);

// The deviation at a magnetic heading, linear between the card's two nearest headings around the
// circle (across 000 too).
double deviationAt(const DeviationCard& card, double magneticHeading);

// How the courses of a passage are given besides true: magnetic with a variation, and compass with
// a deviation or a card too.
struct CompassCorrection {
    std::optional<double> variation;
    std::optional<double> deviation;
    std::optional<DeviationCard> card;

    bool magnetic() const { return variation.has_value(); }
    bool compass() const { return variation && (deviation || card); }

    // The magnetic and compass courses of a true course; nothing for no course or without the
    // correction they need.
    std::optional<double> magneticCourse(std::optional<double> trueCourse) const;
    std::optional<double> compassCourse(std::optional<double> trueCourse) const;
    // The deviation on a true course (at its magnetic course); nothing without a compass.
    std::optional<double> deviationOn(double trueCourse) const;
    // The true course of a typed course: nothing when it is magnetic without a variation, or
    // compass without a variation and one deviation.
    std::optional<double> trueCourse(const TypedCourse& course) const;
};

// "3.5°W", "2.0°E", "0.0°": degrees east or west to a tenth.
std::string eastWestText(double degrees);

// "罗经差 5.5°W（磁差 3.5°W，自差 2.0°W）".
std::string compassErrorText(double variation, double deviation);

}  // namespace orvanto::navigation
