#include "navigation/compass_error.h"

#include <algorithm>
#include <cmath>

#include "navigation/measures.h"

namespace orvanto::navigation {
double deviationAt(const DeviationCard& card, double magneticHeading) {
    const auto& entries = card.entries;
    const double heading = normalisedCourse(magneticHeading);
    // The first entry at or after the heading; past the last one, the first again, a turn on.
    const auto next =
        std::lower_bound(entries.begin(), entries.end(), heading,
                         [](const auto& entry, double h) { return entry.heading < h; });
    const auto& after = next == entries.end() ? entries.front() : *next;
    const auto& before = next == entries.begin() ? entries.back() : *(next - 1);
    const double span = normalisedCourse(after.heading - before.heading);
    const double gone = normalisedCourse(heading - before.heading);
    if (span == 0) {
        return before.deviation;
    }
    return before.deviation + (after.deviation - before.deviation) * gone / span;
}

std::optional<double> CompassCorrection::magneticCourse(std::optional<double> trueCourse) const {
    if (!trueCourse || !variation) {
        return std::nullopt;
    }
    return normalisedCourse(*trueCourse - *variation);
}

std::optional<double> CompassCorrection::deviationOn(double trueCourse) const {
    if (!compass()) {
        return std::nullopt;
    }
    return deviation ? *deviation : deviationAt(*card, *magneticCourse(trueCourse));
}

std::optional<double> CompassCorrection::compassCourse(std::optional<double> trueCourse) const {
    if (!trueCourse || !compass()) {
        return std::nullopt;
    }
    const double magnetic = *magneticCourse(trueCourse);
    return normalisedCourse(magnetic - (deviation ? *deviation : deviationAt(*card, magnetic)));
}

std::optional<double> CompassCorrection::trueCourse(const TypedCourse& course) const {
    switch (course.reference) {
        case CourseReference::True:
            return course.degrees;
        case CourseReference::Magnetic:
            return variation ? std::optional{normalisedCourse(course.degrees + *variation)}
                             : std::nullopt;
        case CourseReference::Compass:
            return variation && deviation
                       ? std::optional{normalisedCourse(course.degrees + *deviation + *variation)}
                       : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace orvanto::navigation
