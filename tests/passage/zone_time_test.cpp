// Zone time (区时) for arrivals: the clock a user names, and the zone a ship keeps at each
// position, its edges above all, where a wrong choice flips an ETA by an hour.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "passage/passage_times.h"
#include "passage/zone_time.h"

namespace orvanto::passage {
namespace {

TEST(ZoneTime, ReadsTheClockOfArrivals) {
    constexpr int kNone = 9999;
    const struct {
        const char* typed;
        EtaZone::Kind kind;
        int offset;  // kNone: not read
    } rows[] = {
        {"ship", EtaZone::Kind::Ship, 0},
        {" SHIP ", EtaZone::Kind::Ship, 0},
        {"Z", EtaZone::Kind::Fixed, 0},
        {"+09:00", EtaZone::Kind::Fixed, 540},
        {"-05:30", EtaZone::Kind::Fixed, -330},
        {"＋０８：００", EtaZone::Kind::Fixed, 480},
        {"+14:00", EtaZone::Kind::Fixed, 840},
        {"+14:01", EtaZone::Kind::Fixed, kNone},
        {"+08:60", EtaZone::Kind::Fixed, kNone},
        // A time of day is no offset: the sign says which way from UTC.
        {"08:00", EtaZone::Kind::Fixed, kNone},
        {"+8", EtaZone::Kind::Fixed, kNone},
        {"ships", EtaZone::Kind::Fixed, kNone},
        {"", EtaZone::Kind::Fixed, kNone},
    };
    for (const auto& row : rows) {
        const auto zone = readEtaZone(row.typed);
        ASSERT_EQ(zone.has_value(), row.offset != kNone) << row.typed;
        if (zone) {
            EXPECT_EQ(zone->kind, row.kind) << row.typed;
            EXPECT_EQ(zone->offsetMinutes, row.offset) << row.typed;
        }
    }
}

TEST(ZoneTime, KeepsTheZoneTheShipCameFromOnAnEdge) {
    const std::optional<ShipPosition> start;
    const struct {
        double longitude;
        std::optional<ShipPosition> cameFrom;
        int zone;
    } rows[] = {
        {121, start, 8},
        {-118, start, -8},
        {7.49, start, 0},
        {7.5, start, 1},
        {-7.5, start, -1},
        {7.5, ShipPosition{5, 0}, 0},
        {7.5, ShipPosition{10, 1}, 1},
        // Along the edge the zone stays, however the ship reached it.
        {-22.5, ShipPosition{-22.5, -1}, -1},
        // From afar (a long leg), the side it came from.
        {22.5, ShipPosition{0, 0}, 1},
        {22.5, ShipPosition{60, 4}, 2},
        {180, ShipPosition{175, 12}, 12},
        {-180, ShipPosition{175, 12}, 12},
        {180, ShipPosition{-175, -12}, -12},
        {180, ShipPosition{150, 10}, 12},
        {-180, ShipPosition{-150, -10}, -12},
        {180, start, 12},
        {-180, start, -12},
        {172.5, ShipPosition{170, 11}, 11},
        {-172.5, ShipPosition{-179, -12}, -12},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(zoneAt(row.longitude, row.cameFrom), row.zone)
            << row.longitude << " from " << (row.cameFrom ? row.cameFrom->longitude : 999);
    }
}

TEST(ZoneTime, WritesArrivalsOnTheClockAsked) {
    const ClockTime departure{2026, 12, 31, 20, 0, 0};
    EXPECT_EQ(arrivalText(departure, 480, 3.5, 480), "2026-12-31T23:30+08:00");
    EXPECT_EQ(arrivalText(departure, 480, 3.5, 540), "2027-01-01T00:30+09:00");
    EXPECT_EQ(arrivalText(departure, 480, 3.5, 0), "2026-12-31T15:30+00:00");
    EXPECT_EQ(arrivalText(departure, 480, 3.5, -600), "2026-12-31T05:30-10:00");
    EXPECT_EQ(zoneDescription(8), "-8");
    EXPECT_EQ(zoneDescription(-4), "+4");
    EXPECT_EQ(zoneDescription(0), "0");
}

}  // namespace
}  // namespace orvanto::passage
