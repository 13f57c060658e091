#include "batch/batch_columns.h"

#include <algorithm>

#include "batch/column_provider.h"
#include "calculator/entry_boxes.h"
#include "text/ascii_case.h"
#include "text/trimming.h"

namespace orvanto::batch {
namespace {

constexpr std::array<std::string_view, kColumnCount> kNames = {
    "lat1", "lon1", "lat2", "lon2", "latr", "lonr", "mode1", "mode2", "moder"};
constexpr std::array<std::string_view, kPlainResultColumns> kResultColumns = {"km", "nmi", "angle",
                                                                              "error"};
constexpr std::size_t kEntryColumns = 6;
constexpr std::size_t kRequiredColumns = 4;

constexpr std::string_view kBlanks = " \t";

// 点I纬度 and 点II纬度, with ASCII I or full-width Ｉ, as the window's labels 点Ⅰ纬度 and 点Ⅱ纬度:
// what a user types who finds no Roman numeral on the keyboard.
std::string withRomanNumeral(std::string_view name) {
    constexpr std::string_view kPoint = "点";
    if (!name.starts_with(kPoint)) {
        return std::string{name};
    }
    std::string_view rest = name.substr(kPoint.size());
    std::size_t ones = 0;
    for (; rest.starts_with("I") || rest.starts_with("Ｉ"); ++ones) {
        rest.remove_prefix(rest.starts_with("I") ? 1 : std::string_view{"Ｉ"}.size());
    }
    if (ones == 0 || ones > 2) {
        return std::string{name};
    }
    return std::string{kPoint} + (ones == 1 ? "Ⅰ" : "Ⅱ") + std::string{rest};
}

std::optional<std::size_t> columnNamed(std::string_view name) {
    // The names are ASCII and the labels Chinese: the first byte tells which to compare with.
    if (name.empty()) {
        return std::nullopt;
    }
    if (static_cast<unsigned char>(name.front()) < 0x80U) {
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            if (equalIgnoringAsciiCase(name, kNames[i])) {
                return i;
            }
        }
        return std::nullopt;
    }
    // Only a name that begins with 点 can be written with other numerals.
    const std::string relabelled = name.starts_with("点") ? withRomanNumeral(name) : std::string{};
    const std::string_view label = relabelled.empty() ? name : std::string_view{relabelled};
    for (std::size_t i = 0; i < kEntryColumns; ++i) {
        if (label == kEntryBoxes[i].label) {
            return i;
        }
    }
    return std::nullopt;
}

bool namedAmong(std::string_view field, std::span<const std::string_view> names) {
    const std::string_view named = trimmed(field, kBlanks);
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view name) { return equalIgnoringAsciiCase(named, name); });
}

// How many of the header's last fields are the result columns of an earlier run, whatever columns
// it added: km, nmi, angle, error, then only columns some run adds after them.
std::size_t trailingResults(std::span<const std::string_view> header,
                            std::span<const std::string_view> extraResults) {
    std::size_t extras = 0;
    while (extras < header.size() && namedAmong(header[header.size() - 1 - extras], extraResults)) {
        ++extras;
    }
    if (header.size() - extras < kPlainResultColumns) {
        return 0;
    }
    const auto plain =
        header.subspan(header.size() - extras - kPlainResultColumns, kPlainResultColumns);
    for (std::size_t i = 0; i < kPlainResultColumns; ++i) {
        if (!equalIgnoringAsciiCase(trimmed(plain[i], kBlanks), kResultColumns[i])) {
            return 0;
        }
    }
    return kPlainResultColumns + extras;
}

}  // namespace

std::vector<std::string_view> resultColumns(std::span<const ColumnProvider* const> providers) {
    std::vector<std::string_view> names{kResultColumns.begin(), kResultColumns.end()};
    for (const ColumnProvider* provider : providers) {
        const auto more = provider->names();
        names.insert(names.end(), more.begin(), more.end());
    }
    return names;
}

bool namesRequiredColumns(std::span<const std::string_view> header) {
    std::array<bool, kRequiredColumns> named{};
    for (const std::string_view field : header) {
        if (const auto column = columnNamed(trimmed(field, kBlanks));
            column && *column < kRequiredColumns) {
            named[*column] = true;
        }
    }
    return std::all_of(named.begin(), named.end(), [](bool each) { return each; });
}

Expected<void, std::string> placeColumn(std::optional<std::size_t>& position, std::string_view name,
                                        std::size_t field) {
    if (position) {
        return unexpected("表头中的 " + std::string{name} + " 列出现了两次（第 " +
                          std::to_string(*position + 1) + " 列和第 " + std::to_string(field + 1) +
                          " 列）");
    }
    position = field;
    return {};
}

std::string_view columnName(Column column) {
    return kNames[static_cast<std::size_t>(column)];
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the header first, then names, as declared
Expected<BatchColumns, std::string> findColumns(std::span<const std::string_view> header,
                                                std::span<const std::string_view> results,
                                                std::span<const std::string_view> otherResults) {
    std::vector<std::string_view> anyResults{results.begin(), results.end()};
    anyResults.insert(anyResults.end(), otherResults.begin(), otherResults.end());
    BatchColumns columns;
    columns.headerWidth = header.size();
    columns.width =
        header.size() - trailingResults(header, std::span{anyResults}.subspan(kPlainResultColumns));
    for (std::size_t field = 0; field < columns.width; ++field) {
        const std::string_view name = trimmed(header[field], kBlanks);
        if (namedAmong(name, anyResults)) {
            return unexpected("表头第 " + std::to_string(field + 1) + " 列的 " + std::string{name} +
                              " 是结果列的名字：结果列只能在表头末尾，先是 km,nmi,angle,error，"
                              "其后是其他结果列（这时换成本次运行的结果）；请改掉这一列的名字");
        }
        const auto column = columnNamed(name);
        if (!column) {
            continue;
        }
        if (auto placed = placeColumn(columns.position[*column], kNames[*column], field); !placed) {
            return unexpected(placed.error());
        }
    }
    std::string missing;
    for (std::size_t i = 0; i < kRequiredColumns; ++i) {
        if (!columns.position[i]) {
            missing += (missing.empty() ? "" : "、") + std::string{kNames[i]};
        }
    }
    if (!missing.empty()) {
        return unexpected("表头缺少 " + missing +
                          " 列。第一行须是表头，含 lat1,lon1,lat2,lon2（或窗口的标签 点Ⅰ纬度 等），"
                          "可另加 latr,lonr 和 mode1,mode2,moder");
    }
    if (columns[Column::LatR].has_value() != columns[Column::LonR].has_value()) {
        return unexpected(std::string{"表头中 latr 和 lonr 须同时出现：参考点要两列才能计算夹角"});
    }
    return columns;
}

}  // namespace orvanto::batch
