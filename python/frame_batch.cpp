#include "python/frame_batch.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "batch/batch_columns.h"
#include "batch/batch_row.h"
#include "python/navigation_columns.h"
#include "python/text_cells.h"
#include "python/text_column.h"

namespace orvanto::python {
namespace {

// Every row as a batch run computes a record of the same fields: a blank one is passed by with
// empty results. No Python object is touched here.
void computeRows(batch::RowCalculator& calculator,
                 const std::vector<std::span<const std::string_view>>& cells, std::size_t rows,
                 std::vector<TextColumn>& out) {
    batch::RowResults results;
    std::vector<std::string_view> fields(cells.size());
    for (TextColumn& texts : out) {
        texts.clear();
    }
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            fields[column] = cells[column][row];
        }
        if (batch::isBlankRecord(fields)) {
            for (TextColumn& texts : out) {
                texts.append({});
            }
            continue;
        }
        calculator.calculate(fields, results);
        out[0].append(results.kilometres);
        out[1].append(results.nauticalMiles);
        out[2].append(results.angle);
        out[3].append(results.error);
        for (std::size_t i = 0; i < results.extra.size(); ++i) {
            out[batch::kPlainResultColumns + i].append(results.extra[i]);
        }
    }
}

}  // namespace

FrameResults runFrameBatch(const std::vector<std::string>& header,
                           const std::vector<py::array>& columns, const py::handle& missing,
                           const BatchChoices& choices) {
    if (header.size() != columns.size()) {
        throw py::value_error("frame：列名与列数不符");
    }
    const auto owned = navigationColumns(choices.style, choices.geodesic, choices.navigation,
                                         choices.variation, choices.deviation);
    std::vector<const batch::ColumnProvider*> providers;
    providers.reserve(owned.size());
    for (const auto& provider : owned) {
        providers.push_back(provider.get());
    }
    const std::vector<std::string_view> resultNames = batch::resultColumns(providers);
    const std::vector<std::string_view> names(header.begin(), header.end());
    const auto layout = batch::findColumns(names, resultNames, everyNavigationColumn());
    if (!layout) {
        throw py::value_error(layout.error());
    }

    std::vector<Utf8Cells> cells;
    cells.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        cells.emplace_back(columns[i], "frame 的 “" + header[i] + "” 列", missing);
    }
    const std::size_t rows = cells.empty() ? 0 : cells.front().size();
    for (const Utf8Cells& column : cells) {
        if (column.size() != rows) {
            throw py::value_error("frame：各列的行数不同");
        }
    }

    // One block of objects for the whole result, a row of it a column: the kept input columns,
    // then the result columns. The frame made over it needs no copy of its own.
    const std::size_t width = layout.value().width;
    FrameResults results;
    results.width = width;
    results.values =
        py::array{py::dtype("O"),
                  std::vector<py::ssize_t>{static_cast<py::ssize_t>(width + resultNames.size()),
                                           static_cast<py::ssize_t>(rows)}};
    auto** block = static_cast<PyObject**>(results.values.mutable_data());
    const auto columnSlots = [&](std::size_t column) { return block + column * rows; };
    for (const std::string_view name : resultNames) {
        results.names.emplace_back(name);
    }
    // A blank mode field takes the points of seconds=, as the frame's caller gave them.
    batch::RowCalculator calculator{
        layout.value(), {choices.modes, " seconds= 的设定"}, choices.style, providers};
    std::vector<TextColumn> out(resultNames.size());
    std::vector<std::span<const std::string_view>> piece(cells.size());
    for (std::size_t start = 0; start < rows; start += kPieceRows) {
        const std::size_t count = std::min(kPieceRows, rows - start);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            piece[i] = cells[i].read({.first = start, .count = count},
                                     i < width ? columnSlots(i) + start : nullptr);
        }
        {
            py::gil_scoped_release released;
            computeRows(calculator, piece, count, out);
        }
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i].putObjects(columnSlots(width + i) + start);
        }
    }
    return results;
}

}  // namespace orvanto::python
