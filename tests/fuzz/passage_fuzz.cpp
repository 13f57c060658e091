// Passage planning's readers over any text, and waypoint files through a whole route: the first
// byte's low nibble picks the reader (0 to 7 the typed values, 8 a deviation card, 9 and up a
// waypoint file; 0 reads quadrantal courses too), its high bits the route's 分点, limiting
// latitude, textbook methods and current. A reader gives a value within its range or nothing; a
// route gives its files and its table, as text for an odd nibble and in the printed plan for an
// even one (writing both took half of each input's time), nothing of them beyond the limit, or
// stops with an InputOutputError.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "navigation/compass_error.h"
#include "passage/deviation_card.h"
#include "passage/gpx_writer.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/plan_document.h"
#include "passage/quadrantal_course.h"
#include "passage/route_request.h"
#include "passage/route_table.h"

namespace {

using namespace orvanto::passage;
using orvanto::navigation::deviationAt;
using orvanto::navigation::SailingMethod;

bool within(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

// A course or a set: 360 is read as 0.
bool onCompass(double degrees) {
    return degrees >= 0 && degrees < 360;
}

bool readerHolds(unsigned which, std::string_view text) {
    switch (which) {
        case 0: {
            const auto course = readCourse(text);
            // A quadrantal course is written back as one that reads to within its tenth of a
            // minute.
            const auto quadrantal = readQuadrantalCourse(text);
            const auto written =
                quadrantal ? readQuadrantalCourse(quadrantalText(*quadrantal)) : std::nullopt;
            return (!course || onCompass(course->degrees)) &&
                   (!quadrantal ||
                    (written &&
                     std::fabs(std::remainder(*written - *quadrantal, 360.0)) <= 0.05 / 60 + 1e-9));
        }
        case 1:
            return !readDistance(text) || within(*readDistance(text), 0, 20000);
        case 2:
            return !readSpeed(text) || (*readSpeed(text) > 0 && *readSpeed(text) <= 100);
        case 3:
            return !readHours(text) || within(*readHours(text), 0, 10000);
        case 4: {
            const auto step = readStep(text);
            return !step || (step->alongMeridians ? within(step->degrees, 0.1, 90)
                                                  : within(step->nauticalMiles, 1, 10000));
        }
        case 5: {
            const auto current = readCurrent(text);
            return !current || (onCompass(current->set) && within(current->drift, 0, 20));
        }
        case 6:
            return !readLimitLatitude(text) ||
                   (*readLimitLatitude(text) > 0 && *readLimitLatitude(text) < 90);
        default: {
            // An arrival is written with four digits of year, or not at all.
            const auto departure = readDeparture(text);
            const auto arrival =
                departure
                    ? arrivalText(departure->clock, departure->offsetMinutes.value_or(0), 10000)
                    : std::nullopt;
            return !arrival || arrival->size() == 22;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view text{reinterpret_cast<const char*>(data) + 1, size - 1};
    const unsigned which = data[0] & 0x0FU;
    if (which < 8 && !readerHolds(which, text)) {
        std::abort();
    }
    if (which < 8) {
        return 0;
    }
    orvanto::batch::MemorySource source{text};
    // Records of up to 128 bytes, a few waypoints' worth: an input of passage.flags' length holds
    // one too long for it.
    orvanto::batch::CsvReader reader{source, 128};
    orvanto::batch::Utf8Codec codec;
    try {
        if (which == 8) {
            const auto card = readDeviationCard(reader, codec);
            if (card && !std::isfinite(deviationAt(card.value(), data[0] * 1.5))) {
                std::abort();
            }
            return 0;
        }
        PassageRequest request;
        request.waypoints.reader = &reader;
        request.waypoints.codec = &codec;
        request.every = (data[0] & 0x10U) != 0 ? readStep("15°") : std::nullopt;
        request.limitLatitude = (data[0] & 0x20U) != 0 ? std::optional{50.0} : std::nullopt;
        request.method = (data[0] & 0x40U) != 0 ? SailingMethod::Textbook : SailingMethod::Wgs84;
        request.speed = 12;
        // Arrivals on the ship's zone time, whose zones are chained from row to row.
        request.departure = readDeparture("2026-12-08T08:00+08:00");
        request.current = (data[0] & 0x80U) != 0 && (request.every || !request.limitLatitude)
                              ? readCurrent("045/3")
                              : std::nullopt;
        request.files = true;
        const auto plan = planPassage(request);
        if (!plan) {
            return 0;
        }
        if ((which & 1U) != 0) {
            routeTable(plan.value(), {TableFormat::Text, true, {}, {}, {EtaZone::Kind::Ship, 0}});
        } else {
            planDocument(plan.value(), {TableFormat::Html, true, {}, {"eta", "to"}, {}});
        }
        // The line is drawn again only to be checked: a leg across an ocean is thousands of
        // points, each an exact rhumb line or geodesic position, and without a limit there is
        // nothing to check them against.
        if (request.limitLatitude) {
            for (const auto& point : sailedLine(plan.value().route, plan.value().sailing)) {
                if (std::fabs(point.latitude) > *request.limitLatitude) {
                    std::abort();
                }
            }
        }
    } catch (const orvanto::batch::InputOutputError&) {
    }
    return 0;
}
