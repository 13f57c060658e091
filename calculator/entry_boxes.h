// The six entry boxes, in one table that every layer reads: the order the commands read them (and
// the batch columns lat1 … lonr stand in), the point and axis of each and its label, so that no
// layer keeps a list of its own to cast or to keep in step.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "notation/entry_mode.h"

namespace orvanto {

// The points as the window's frames name them, in reading order.
enum class Point { One, Two, Reference };

enum class EntryBox {
    Point1Latitude,
    Point1Longitude,
    Point2Latitude,
    Point2Longitude,
    ReferenceLatitude,
    ReferenceLongitude,
};

struct EntryBoxRow {
    EntryBox box;
    Point point;
    Axis axis;
    std::string_view label;  // as the window labels the box and the messages name it
};

inline constexpr std::array<EntryBoxRow, 6> kEntryBoxes = {{
    {EntryBox::Point1Latitude, Point::One, Axis::Latitude, "点Ⅰ纬度"},
    {EntryBox::Point1Longitude, Point::One, Axis::Longitude, "点Ⅰ经度"},
    {EntryBox::Point2Latitude, Point::Two, Axis::Latitude, "点Ⅱ纬度"},
    {EntryBox::Point2Longitude, Point::Two, Axis::Longitude, "点Ⅱ经度"},
    {EntryBox::ReferenceLatitude, Point::Reference, Axis::Latitude, "参考点纬度"},
    {EntryBox::ReferenceLongitude, Point::Reference, Axis::Longitude, "参考点经度"},
}};

constexpr const EntryBoxRow& entryBoxRow(EntryBox box) {
    for (const EntryBoxRow& row : kEntryBoxes) {
        if (row.box == box) {
            return row;
        }
    }
    return kEntryBoxes.back();
}

// Where a point stands among the three, for tables kept in reading order.
constexpr std::size_t pointIndex(Point point) {
    return point == Point::One ? 0 : point == Point::Two ? 1 : 2;
}

}  // namespace orvanto
