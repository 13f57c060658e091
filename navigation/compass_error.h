// Compass error (罗经差): the magnetic variation (磁差) of the chart's compass rose plus the ship
// compass's own deviation (自差), both east positive. A magnetic course is the true course minus
// the variation, a compass course the magnetic course minus the deviation. The deviation changes
// with the ship's head: one value for every heading, or a deviation card (自差表) that gives it at
// some magnetic headings, usually every 15°, interpolated in between.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace orvanto::navigation {

// The north a course is counted from: true north, the compass rose's magnetic north (true minus
// the variation), or the ship's compass (magnetic minus the deviation).
enum class CourseReference { True, Magnetic, Compass };

struct TypedCourse {
    double degrees = 0;  // 0 <= degrees < 360
    CourseReference reference = CourseReference::True;
};

struct DeviationCard {
    struct Entry {
        double heading = 0;    // magnetic, 0 <= heading < 360
        double deviation = 0;  // degrees, east positive
    };
    std::vector<Entry> entries;  // by heading, each heading once, at least two
};

// The deviation at a magnetic heading, linear between the card's two nearest headings around the
// circle (across 000 too).
double deviationAt(const DeviationCard& card, double magneticHeading);

// The first two neighbouring entries (indices, around the circle) between which the deviation
// changes by as much as the heading or more; nothing when it changes by less everywhere. Only then
// has M = C + dev(M) one solution for every compass course C, reached by iteration.
std::optional<std::pair<std::size_t, std::size_t>> steepSpan(const DeviationCard& card);

// The magnetic heading M on which the compass shows `compassCourse`: M = C + dev(M), solved by
// iteration, which converges for a card without a steep span.
double magneticHeadingOf(const DeviationCard& card, double compassCourse);

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
    // compass without a variation and a deviation or a card.
    std::optional<double> trueCourse(const TypedCourse& course) const;
};

}  // namespace orvanto::navigation
