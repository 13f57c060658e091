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

std::optional<std::pair<std::size_t, std::size_t>> steepSpan(const DeviationCard& card) {
    const auto& entries = card.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t next = (i + 1) % entries.size();
        const double span = normalisedCourse(entries[next].heading - entries[i].heading);
        if (std::fabs(entries[next].deviation - entries[i].deviation) >= span) {
            return std::pair{i, next};
        }
    }
    return std::nullopt;
}

double magneticHeadingOf(const DeviationCard& card, double compassCourse) {
    // A contraction: each step shrinks the error by the card's steepest slope (under 1), so that a
    // real card's slopes of a tenth or so reach the last bit in a score of steps.
    constexpr int kMostSteps = 100000;
    constexpr double kSettled = 1e-12;
    double magnetic = compassCourse + deviationAt(card, compassCourse);
    for (int step = 0; step < kMostSteps; ++step) {
        const double next = compassCourse + deviationAt(card, magnetic);
        if (std::fabs(next - magnetic) < kSettled) {
            magnetic = next;
            break;
        }
        magnetic = next;
    }
    return normalisedCourse(magnetic);
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
            if (variation && deviation) {
                return normalisedCourse(course.degrees + *deviation + *variation);
            }
            if (variation && card) {
                return normalisedCourse(magneticHeadingOf(*card, course.degrees) + *variation);
            }
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace orvanto::navigation
