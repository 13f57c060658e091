#include "passage/geojson_writer.h"

#include <cmath>
#include <cstdio>

namespace orvanto::passage {
namespace {

constexpr double kTurn = 360;
constexpr double kAntimeridian = 180;

// Which copy of the world a continuous longitude lies in: 0 for -180..180, 1 for 180..540, …
double turnOf(double longitude) {
    return std::floor((longitude + kAntimeridian) / kTurn);
}

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else {
            json += c;
        }
    }
    return json + '"';
}

// A route of tens of thousands of points is written here: each position is appended in place.
void appendPosition(std::string& out, const ChartPoint& point) {
    out += '[';
    out += decimalDegrees(point.longitude);
    out += ", ";
    out += decimalDegrees(point.latitude);
    out += ']';
}

std::string position(const ChartPoint& point) {
    std::string text;
    appendPosition(text, point);
    return text;
}

std::string feature(std::string_view name, std::string_view type, const std::string& coordinates) {
    return "    {\"type\": \"Feature\", \"properties\": {\"name\": " + jsonString(name) +
           "}, \"geometry\": {\"type\": \"" + std::string{type} +
           "\", \"coordinates\": " + coordinates + "}}";
}

std::string lineCoordinates(const std::vector<ChartPoint>& part) {
    std::string coordinates = "[";
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (i > 0) {
            coordinates += ", ";
        }
        appendPosition(coordinates, part[i]);
    }
    coordinates += ']';
    return coordinates;
}

}  // namespace

std::vector<std::vector<ChartPoint>> splitAtAntimeridian(std::span<const ChartPoint> line) {
    std::vector<std::vector<ChartPoint>> parts;
    if (line.empty()) {
        return parts;
    }
    double turn = turnOf(line.front().longitude);
    // A point exactly on a boundary belongs to the copy the line is in, so that a line ending on
    // 180 stays whole instead of leaving a one-point part beyond it.
    if (line.front().longitude == kAntimeridian + kTurn * turn) {
        turn -= 1;
    }
    parts.emplace_back();
    const auto add = [&](ChartPoint point, double inTurn) {
        point.longitude -= kTurn * inTurn;
        auto& part = parts.back();
        if (part.empty() || part.back().latitude != point.latitude ||
            part.back().longitude != point.longitude) {
            part.push_back(point);
        }
    };
    add(line.front(), turn);
    for (std::size_t i = 1; i < line.size(); ++i) {
        const ChartPoint& before = line[i - 1];
        const ChartPoint& point = line[i];
        const double west = kTurn * turn - kAntimeridian;
        const double east = kTurn * turn + kAntimeridian;
        if (point.longitude < west || point.longitude > east) {
            const double boundary = point.longitude > east ? east : west;
            const double t = (boundary - before.longitude) / (point.longitude - before.longitude);
            const ChartPoint crossing{before.latitude + t * (point.latitude - before.latitude),
                                      boundary};
            add(crossing, turn);
            turn += point.longitude > east ? 1 : -1;
            parts.emplace_back();
            add(crossing, turn);
        }
        add(point, turn);
    }
    std::erase_if(parts, [](const auto& part) { return part.size() < 2; });
    return parts;
}

std::string geojsonRoute(std::string_view routeName, std::span<const RoutePoint> points,
                         std::span<const ChartPoint> routeLine) {
    std::string json = "{\"type\": \"FeatureCollection\", \"features\": [\n";
    std::string separator;
    for (const RoutePoint& point : points) {
        json += separator + feature(point.name, "Point", position(point.position));
        separator = ",\n";
    }
    const auto parts = splitAtAntimeridian(routeLine);
    if (parts.size() == 1) {
        json += separator + feature(routeName, "LineString", lineCoordinates(parts.front()));
    } else if (parts.size() > 1) {
        std::string coordinates = "[";
        for (std::size_t i = 0; i < parts.size(); ++i) {
            coordinates += (i > 0 ? ", " : "") + lineCoordinates(parts[i]);
        }
        json += separator + feature(routeName, "MultiLineString", coordinates + "]");
    }
    return json + "\n]}\n";
}

}  // namespace orvanto::passage
