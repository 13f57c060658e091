#include "passage/zone_time.h"

#include <cmath>
#include <cstdlib>

#include "notation/typed_characters.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/padded_digits.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

constexpr double kZoneWidth = 15;
constexpr int kLastZone = 12;
constexpr double kDateLine = 180;
constexpr int kMinutesInHour = 60;
constexpr int kLargestOffsetMinutes = 14 * kMinutesInHour;

// "+08:00", "-04:30".
std::string offsetText(int minutes) {
    std::string text(1, minutes < 0 ? '-' : '+');
    appendPadded(text, std::abs(minutes) / kMinutesInHour, 2);
    text += ':';
    appendPadded(text, std::abs(minutes) % kMinutesInHour, 2);
    return text;
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<EtaZone> readEtaZone(std::string_view typed) {
    std::u32string characters = normalisedCharacters(decodeUtf8(typed), false);
    for (char32_t& c : characters) {
        c = c == U'：' ? U':' : c == U'Ｚ' || c == U'ｚ' ? U'Z' : c;
    }
    const std::string text = asciiLowerCase(encodeUtf8(trimmed(std::u32string_view{characters})));
    if (text == "ship") {
        return EtaZone{EtaZone::Kind::Ship};
    }
    if (text == "z") {
        return EtaZone{EtaZone::Kind::Fixed, 0};
    }
    // ±HH:MM, the sign required: "08:00" alone could be a time of day.
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || !digit(text[1]) ||
        !digit(text[2]) || text[3] != ':' || !digit(text[4]) || !digit(text[5])) {
        return std::nullopt;
    }
    const int hours = (text[1] - '0') * 10 + (text[2] - '0');
    const int minutes = (text[4] - '0') * 10 + (text[5] - '0');
    const int offset = hours * kMinutesInHour + minutes;
    if (minutes >= kMinutesInHour || offset > kLargestOffsetMinutes) {
        return std::nullopt;
    }
    return EtaZone{EtaZone::Kind::Fixed, text[0] == '-' ? -offset : offset};
}

int zoneAt(double longitude, const std::optional<ShipPosition>& cameFrom) {
    if (std::abs(longitude) == kDateLine) {
        if (cameFrom && std::abs(cameFrom->zone) == kLastZone) {
            return cameFrom->zone;
        }
        if (cameFrom && cameFrom->longitude != 0 && std::abs(cameFrom->longitude) != kDateLine) {
            return cameFrom->longitude > 0 ? kLastZone : -kLastZone;
        }
        return longitude > 0 ? kLastZone : -kLastZone;
    }
    const double zones = longitude / kZoneWidth;
    if (std::fmod(std::abs(longitude), kZoneWidth) != kZoneWidth / 2) {
        return static_cast<int>(std::lround(zones));
    }
    const int west = static_cast<int>(std::floor(zones));
    const int east = west + 1;
    if (!cameFrom) {
        return static_cast<int>(std::lround(zones));
    }
    if (cameFrom->zone == west || cameFrom->zone == east) {
        return cameFrom->zone;
    }
    return cameFrom->longitude < longitude ? west : east;
}

std::vector<std::optional<int>> shipZones(std::span<const RouteRow> rows) {
    std::vector<std::optional<int>> zones;
    zones.reserve(rows.size());
    std::optional<ShipPosition> ship;
    for (const RouteRow& row : rows) {
        if (!row.end) {
            ship.reset();
            zones.emplace_back();
            continue;
        }
        if (!ship && row.start) {
            ship = ShipPosition{row.start->longitude, zoneAt(row.start->longitude, std::nullopt)};
        }
        const int zone = zoneAt(row.end->longitude, ship);
        ship = ShipPosition{row.end->longitude, zone};
        zones.emplace_back(zone);
    }
    return zones;
}

std::string zoneDescription(int zone) {
    return zone == 0 ? "0" : (zone > 0 ? "-" : "+") + std::to_string(std::abs(zone));
}

std::string etaZoneName(const EtaZone& zone, int departureOffsetMinutes) {
    switch (zone.kind) {
        case EtaZone::Kind::Ship:
            return "船位区时";
        case EtaZone::Kind::Fixed:
            return zone.offsetMinutes == 0 ? "UTC" : "UTC" + offsetText(zone.offsetMinutes);
        case EtaZone::Kind::Departure:
            break;
    }
    return "开航时区 UTC" + offsetText(departureOffsetMinutes);
}

}  // namespace orvanto::passage
