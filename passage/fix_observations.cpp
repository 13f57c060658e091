#include "passage/fix_observations.h"

#include <cmath>
#include <cstdio>
#include <variant>

#include "calculator/decoded_points.h"
#include "calculator/entry_boxes.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/value_forms.h"

namespace orvanto::passage {
namespace {

using navigation::PositionLineKind;

constexpr double kMinutesPerDay = 1440;
constexpr double kWidestAngle = 180;

// The text split at ASCII and full-width commas.
std::vector<std::string_view> fields(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size();) {
        const bool ascii = at < text.size() && text[at] == ',';
        const bool wide = text.substr(at, 3) == "，";
        if (at == text.size() || ascii || wide) {
            parts.push_back(text.substr(start, at - start));
            at += ascii ? 1 : wide ? 3 : 1;
            start = at;
        } else {
            ++at;
        }
    }
    return parts;
}

std::optional<ObservationTime> readTime(std::string_view text) {
    if (const auto hours = readHours(text);
        hours && *hours < 24 && text.find_first_of(":：") != std::string_view::npos) {
        const auto whole = static_cast<int>(std::lround(*hours * 60));
        char written[32];
        std::snprintf(written, sizeof written, "%02d:%02d", whole / 60, whole % 60);
        return ObservationTime{false, static_cast<double>(whole), written};
    }
    const auto departure = readDeparture(text);
    if (!departure) {
        return std::nullopt;
    }
    const ClockTime& c = departure->clock;
    char written[64];
    std::snprintf(written, sizeof written, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day,
                  c.hour, c.minute);
    return ObservationTime{
        true, static_cast<double>(clockSeconds(c)) / 60 - departure->offsetMinutes.value_or(0),
        written};
}

Expected<ChartPoint, ObservationProblem> landmarkAt(std::string_view latitude,
                                                    std::string_view longitude, EntryMode mode,
                                                    std::string_view name, bool second = false) {
    CalculatorInput input;
    input.point1 = {std::string{latitude}, std::string{longitude}, mode};
    const auto decoded = decodePoints(input, 1);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        std::string text = message->text;
        // "点Ⅰ纬度的输入…" of the calculator's box: here the landmark's.
        if (const std::string_view point1 = "点Ⅰ"; text.starts_with(point1)) {
            text.replace(0, point1.size(), "的" + std::string{name});
        }
        const bool onLongitude = message->box == EntryBox::Point1Longitude;
        const ObservationPart part =
            second ? (onLongitude ? ObservationPart::Longitude2 : ObservationPart::Latitude2)
                   : (onLongitude ? ObservationPart::Longitude1 : ObservationPart::Latitude1);
        return unexpected(ObservationProblem{part, text});
    }
    return std::get<DecodedPoints>(decoded).point1;
}

}  // namespace

Expected<ChartPoint, std::string> readPosition(std::string_view text, EntryMode mode) {
    const auto parts = fields(text);
    if (parts.size() != 2) {
        return unexpected(std::string{"须写成 纬度,经度，如 3110.5N,12205.0E"});
    }
    auto read = readPositionParts(parts[0], parts[1], mode);
    if (!read) {
        return unexpected(read.error().text);
    }
    return read.value();
}

Expected<ChartPoint, ObservationProblem> readPositionParts(std::string_view latitude,
                                                           std::string_view longitude,
                                                           EntryMode mode) {
    return landmarkAt(latitude, longitude, mode, "");
}

Expected<ReadObservation, std::string> readObservation(PositionLineKind kind, std::string_view text,
                                                       EntryMode mode) {
    ObservationParts parts;
    const std::size_t at = text.find('@');
    if (at != std::string_view::npos) {
        parts.time = text.substr(at + 1);
        text = text.substr(0, at);
    }
    const bool angle = kind == PositionLineKind::HorizontalAngle;
    const auto split = fields(text);
    if (parts.time && !readTime(*parts.time)) {
        // The time's message comes before the count of the fields, as it always has.
        return unexpected(readObservationParts(kind, parts, mode).error().text);
    }
    if (split.size() != (angle ? 5U : 3U)) {
        return unexpected(std::string{angle ? "须写成 纬度1,经度1,纬度2,经度2,夹角[@时间]"
                                            : "须写成 纬度,经度,值[@时间]"} +
                          "，实际有 " + std::to_string(split.size()) + " 项");
    }
    parts.latitude1 = split[0];
    parts.longitude1 = split[1];
    if (angle) {
        parts.latitude2 = split[2];
        parts.longitude2 = split[3];
    }
    parts.value = split.back();
    auto read = readObservationParts(kind, parts, mode);
    if (!read) {
        return unexpected(read.error().text);
    }
    return read.value();
}

Expected<ReadObservation, ObservationProblem> readObservationParts(PositionLineKind kind,
                                                                   const ObservationParts& parts,
                                                                   EntryMode mode) {
    ReadObservation read;
    read.mode = mode;
    read.line.kind = kind;
    if (parts.time) {
        read.time = readTime(*parts.time);
        if (!read.time) {
            return unexpected(ObservationProblem{ObservationPart::Time,
                                                 "的时间“" + std::string{*parts.time} +
                                                     "”无法识别：应为 时:分（如 08:30）或 " +
                                                     std::string{kDepartureForms}});
        }
    }
    const bool angle = kind == PositionLineKind::HorizontalAngle;
    const auto first =
        landmarkAt(parts.latitude1, parts.longitude1, mode, angle ? "物标1" : "物标");
    if (!first) {
        return unexpected(first.error());
    }
    read.line.landmark = first.value();
    if (angle) {
        const auto second = landmarkAt(parts.latitude2, parts.longitude2, mode, "物标2", true);
        if (!second) {
            return unexpected(second.error());
        }
        read.line.second = second.value();
    }
    const std::string_view value = parts.value;
    const auto refused = [&](std::string_view what, std::string_view forms) {
        return unexpected(ObservationProblem{ObservationPart::Value,
                                             "的" + std::string{what} + "“" + std::string{value} +
                                                 "”无法识别：应为 " + std::string{forms}});
    };
    switch (kind) {
        case PositionLineKind::Bearing:
            read.bearing = readCourse(value);
            if (!read.bearing) {
                return refused("方位", kCourseForms);
            }
            read.line.value = read.bearing->degrees;
            break;
        case PositionLineKind::Range: {
            const auto miles = readDistance(value);
            if (!miles || *miles <= 0) {
                return refused("距离", "大于 0、不超过 20000 海里，可带单位 nmi、海里、km 或 公里");
            }
            read.line.value = *miles;
            break;
        }
        case PositionLineKind::HorizontalAngle: {
            const auto degrees = readCourse(value);
            if (!degrees || degrees->reference != navigation::CourseReference::True ||
                degrees->degrees > kWidestAngle) {
                return refused("夹角", "0 到 180 的度数，如 65.5 或 65°30′");
            }
            read.line.value = degrees->degrees;
            break;
        }
    }
    return read;
}

std::optional<ShipRun> readShipRun(std::string_view text) {
    const std::size_t slash = text.find('/');
    const std::size_t wide = text.find("／");
    const std::size_t at = slash != std::string_view::npos ? slash : wide;
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto course = readCourse(text.substr(0, at));
    const auto speed = readSpeed(text.substr(at + (at == slash ? 1 : 3)));
    if (!course || !speed) {
        return std::nullopt;
    }
    return ShipRun{*course, *speed};
}

Expected<std::vector<double>, TimeProblem> elapsedMinutes(std::span<const ObservationTime> times) {
    std::vector<double> minutes;
    if (times.empty()) {
        return minutes;
    }
    double clock = times.front().minutes;
    minutes.push_back(0);
    for (std::size_t i = 1; i < times.size(); ++i) {
        double next = times[i].minutes;
        if (!times[i].dated) {
            // The same time of day at or after the one before it.
            const double day = std::floor(clock / kMinutesPerDay) * kMinutesPerDay;
            next = day + std::fmod(next, kMinutesPerDay);
            if (next < clock) {
                next += kMinutesPerDay;
            }
        } else if (next < clock) {
            return unexpected(TimeProblem{i, "观测 " + std::to_string(i + 1) + " 的时间 " +
                                                 times[i].text + " 早于观测 " + std::to_string(i) +
                                                 " 的 " + times[i - 1].text});
        }
        clock = next;
        minutes.push_back(clock - times.front().minutes);
    }
    if (minutes.back() > kMinutesPerDay) {
        return unexpected(TimeProblem{times.size() - 1, "各次观测相隔超过 24 小时，无法移线"});
    }
    return minutes;
}

}  // namespace orvanto::passage
