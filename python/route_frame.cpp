#include "python/route_frame.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <limits>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"
#include "passage/deviation_card.h"
#include "passage/passage_values.h"
#include "passage/route_request.h"
#include "passage/route_table.h"
#include "passage/value_forms.h"
#include "passage/zone_time.h"
#include "python/argument_text.h"

namespace orvanto::python {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// The option's value read by `reader`, nothing when it is not given; ValueError naming the keyword
// when it does not read.
template <typename Reader>
auto readOption(const std::optional<std::string>& text, std::string_view keyword,
                std::string_view forms, Reader reader) -> decltype(reader(std::string_view{})) {
    if (!text) {
        return std::nullopt;
    }
    auto value = reader(*text);
    if (!value) {
        throw py::value_error(unreadable(keyword, forms, *text));
    }
    return value;
}

std::string ruleText(passage::Rule rule) {
    using passage::Rule;
    std::string reason{passage::reasonOf(rule)};
    switch (rule) {
        case Rule::DeviationNeedsVariation:
            return "deviation= 须与 variation= 同用";
        case Rule::CardNeedsVariation:
            return "deviation_card= 须与 variation= 同用";
        case Rule::DeviationOrCard:
            return "deviation= 和 deviation_card= 只能用其一：" + reason;
        case Rule::CurrentNeedsSpeed:
            return "current= 须与 speed= 同用";
        case Rule::CurrentWithLimitNeedsStep:
            return "current= 与 limit_latitude= 同用时须加 every=：" + reason;
        case Rule::CurrentWithGreatCircleNeedsStep:
            return "current= 与大圆航段（leg 列写 GC）同用时须加 every=：" + reason;
        case Rule::DepartureNeedsSpeed:
            return "depart= 须与 speed= 同用，或者航点有 speed（航速）列：" + reason;
        case Rule::EtaZoneNeedsDeparture:
            return "eta_zone= 须与 depart= 同用：" + reason;
        default:
            break;
    }
    return reason;
}

navigation::CompassCorrection correctionOf(const RouteTexts& texts) {
    navigation::CompassCorrection correction;
    correction.variation =
        readOption(texts.variation, "variation", passage::kVariationForms, passage::readVariation);
    correction.deviation =
        readOption(texts.deviation, "deviation", passage::kDeviationForms, passage::readDeviation);
    if (texts.deviationCard) {
        batch::MemorySource source{*texts.deviationCard};
        batch::CsvReader reader{source};
        batch::Utf8Codec utf8;
        auto card = passage::readDeviationCard(reader, utf8);
        if (!card) {
            throw py::value_error("deviation_card：" + card.error());
        }
        correction.card = std::move(card.value());
    }
    return correction;
}

passage::PassageRequest requestOf(const std::string& waypoints, const RouteTexts& texts) {
    passage::PassageRequest request;
    request.waypoints.bytes = waypoints;
    request.waypoints.name = "frame";
    request.defaultMode = texts.seconds ? EntryMode::Seconds : EntryMode::Minutes;
    request.speed = readOption(texts.speed, "speed", passage::kSpeedForms, passage::readSpeed);
    request.departure =
        readOption(texts.depart, "depart", passage::kDepartureForms, passage::readDeparture);
    request.every = readOption(texts.every, "every", passage::kStepForms, passage::readStep);
    request.limitLatitude = readOption(texts.limitLatitude, "limit_latitude",
                                       passage::kLimitLatitudeForms, passage::readLimitLatitude);
    request.current =
        readOption(texts.current, "current", passage::kCurrentForms, passage::readCurrent);
    request.correction = correctionOf(texts);
    request.method =
        texts.textbook ? navigation::SailingMethod::Textbook : navigation::SailingMethod::Wgs84;
    // A program has no clock of the user's to take a zone from: the departure says its own.
    request.localOffset = [](const passage::ClockTime&) -> Expected<int, std::string> {
        return unexpected(std::string{
            "depart 须写明与 UTC 的时差，如 2026-03-01T08:00+08:00 或 2026-03-01T00:00Z"});
    };
    return request;
}

passage::EtaZone etaZoneOf(const RouteTexts& texts) {
    constexpr std::string_view kForms =
        "ship（各行到达船位的区时）、±HH:MM（如 +09:00、-05:00）或 Z（UTC）";
    return readOption(texts.etaZone, "eta_zone", kForms, passage::readEtaZone)
        .value_or(passage::EtaZone{});
}

py::array_t<double> column(const std::vector<double>& values) {
    return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

}  // namespace

py::tuple planRoute(const std::string& waypoints, const RouteTexts& texts) {
    const passage::PassageRequest request = requestOf(waypoints, texts);
    if (texts.etaZone && !texts.depart) {
        throw py::value_error(ruleText(passage::Rule::EtaZoneNeedsDeparture));
    }
    const auto plan = passage::planPassage(request);
    if (!plan) {
        const passage::PassageProblem& problem = plan.error();
        throw py::value_error(problem.kind == passage::PassageProblem::Kind::Rule
                                  ? ruleText(problem.rule)
                                  : problem.text);
    }
    // A frame's rows are counted from 1 below its header, as a spreadsheet's are.
    const passage::ProblemWording wording{1, " seconds= 的设定"};
    const passage::RouteTable table = passage::routeTable(
        plan.value(), {passage::TableFormat::Csv, false, wording, {}, etaZoneOf(texts)});
    const auto& rows = plan.value().route.rows;
    std::vector<double> latitudes;
    std::vector<double> longitudes;
    std::vector<double> hours;
    std::vector<double> elapsed;
    for (const passage::RouteRow& row : rows) {
        latitudes.push_back(row.end ? row.end->latitude : kNone);
        longitudes.push_back(row.end ? row.end->longitude : kNone);
        hours.push_back(row.hours.value_or(kNone));
        elapsed.push_back(row.elapsedHours.value_or(kNone));
    }
    const passage::RouteTotals& totals = plan.value().totals;
    latitudes.push_back(kNone);
    longitudes.push_back(kNone);
    hours.push_back(totals.hours.value_or(kNone));
    elapsed.push_back(totals.elapsedHours.value_or(kNone));
    return py::make_tuple(table.cells.nested(), column(latitudes), column(longitudes),
                          column(hours), column(elapsed));
}

}  // namespace orvanto::python
