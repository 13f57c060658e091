// The header line of a batch file: which column holds which entry and which point's mode.
//
// Names are matched without regard to case or surrounding spaces, in any order: lat1, lon1, lat2,
// lon2 are required; latr and lonr (both or neither) add the angle; mode1, mode2 and moder are
// optional. The window's labels 点Ⅰ纬度, 点Ⅰ经度, 点Ⅱ纬度, 点Ⅱ经度, 参考点纬度 and 参考点经度 name
// the entry columns too, with 点I纬度 and 点II纬度 (ASCII I or full-width Ｉ) for 点Ⅰ纬度 and
// 点Ⅱ纬度. Other columns are kept in the output and otherwise ignored.
//
// The run adds the result columns km, nmi, angle, error, then the columns of its providers. A
// header that already ends with the result columns of any run (km, nmi, angle, error, then only
// columns some provider adds), a file a run wrote, has them replaced by this run's; one of their
// names anywhere else is an error, so that no column is read as one thing and written as another.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/expected.h"

namespace orvanto::batch {

// The entry columns come first, in the order of the window's entry boxes.
enum class Column { Lat1, Lon1, Lat2, Lon2, LatR, LonR, Mode1, Mode2, ModeR };
inline constexpr std::size_t kColumnCount = 9;

struct BatchColumns {
    // Where each column stands among a record's fields, when the header has it.
    std::array<std::optional<std::size_t>, kColumnCount> position{};
    std::size_t width = 0;        // the header's fields before the result columns
    std::size_t headerWidth = 0;  // all the header's fields, result columns included

    const std::optional<std::size_t>& operator[](Column column) const {
        return position[static_cast<std::size_t>(column)];
    }
    bool hasReference() const { return (*this)[Column::LatR].has_value(); }
};

class ColumnProvider;

// km, nmi, angle and error come first among the result columns.
inline constexpr std::size_t kPlainResultColumns = 4;

// The columns of a header (its fields decoded), or what is wrong with it, for the user. `results`
// are the columns this run adds; neither they nor `otherResults` (those other runs add) may stand
// anywhere but at the header's end, so that a file written with more columns is not misread by a
// run with fewer.
Expected<BatchColumns, std::string> findColumns(
    std::span<const std::string_view> header, std::span<const std::string_view> results,
    std::span<const std::string_view> otherResults = {});

// Whether the header (its fields decoded) names lat1, lon1, lat2 and lon2: the test the reader
// chooses the delimiter by.
bool namesRequiredColumns(std::span<const std::string_view> header);

// The names of the columns a run adds, in order: km, nmi, angle, error, the providers' columns.
std::vector<std::string_view> resultColumns(std::span<const ColumnProvider* const> providers);

// The column's name as the header writes it in lower case ("lat1", …, "moder").
std::string_view columnName(Column column);

// The field at a column's position in a record, empty where the header has no such column or the
// record is shorter.
inline std::string_view fieldAt(std::span<const std::string_view> fields,
                                const std::optional<std::size_t>& position) {
    return position && *position < fields.size() ? fields[*position] : std::string_view{};
}

// Places the column `name` at the header's field `field` (counted from 0); what is wrong when it
// already stood at another ("表头中的 lat1 列出现了两次…"), for a batch or a waypoint file alike.
Expected<void, std::string> placeColumn(std::optional<std::size_t>& position, std::string_view name,
                                        std::size_t field);

}  // namespace orvanto::batch
