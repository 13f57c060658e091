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

std::optional<std::size_t> columnNamed(std::string_view name) {
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (equalIgnoringAsciiCase(name, kNames[i]) ||
            (i < kEntryColumns && name == kEntryBoxes[i].label)) {
            return i;
        }
    }
    return std::nullopt;
}

// How many of the header's last fields are this run's result columns: all of them or none.
std::size_t trailingResults(std::span<const std::string_view> header,
                            std::span<const std::string_view> results) {
    if (header.size() < results.size()) {
        return 0;
    }
    const auto tail = header.subspan(header.size() - results.size());
    return std::equal(tail.begin(), tail.end(), results.begin(), results.end(),
                      [](std::string_view field, std::string_view name) {
                          return equalIgnoringAsciiCase(trimmed(field, kBlanks), name);
                      })
               ? results.size()
               : 0;
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

std::string_view columnName(Column column) {
    return kNames[static_cast<std::size_t>(column)];
}

Expected<BatchColumns, std::string> findColumns(std::span<const std::string_view> header,
                                                std::span<const std::string_view> results,
                                                std::span<const std::string_view> otherResults) {
    std::vector<std::string_view> anyResults{results.begin(), results.end()};
    anyResults.insert(anyResults.end(), otherResults.begin(), otherResults.end());
    BatchColumns columns;
    columns.headerWidth = header.size();
    columns.width = header.size() - trailingResults(header, results);
    for (std::size_t field = 0; field < columns.width; ++field) {
        const std::string_view name = trimmed(header[field], kBlanks);
        for (const std::string_view result : anyResults) {
            if (equalIgnoringAsciiCase(name, result)) {
                std::string expected;
                for (const std::string_view each : results) {
                    expected += (expected.empty() ? "" : ",") + std::string{each};
                }
                return unexpected("表头第 " + std::to_string(field + 1) + " 列的 " +
                                  std::string{result} +
                                  " 是结果列的名字：结果列只能依次在表头末尾（" + expected +
                                  "，这时原地重算），请改掉这一列的名字");
            }
        }
        const auto column = columnNamed(name);
        if (!column) {
            continue;
        }
        if (columns.position[*column]) {
            return unexpected("表头中的 " + std::string{kNames[*column]} + " 列出现了两次（第 " +
                              std::to_string(*columns.position[*column] + 1) + " 列和第 " +
                              std::to_string(field + 1) + " 列）");
        }
        columns.position[*column] = field;
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
