#include "python/frame_batch.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <span>
#include <string_view>

#include "batch/batch_columns.h"
#include "batch/batch_row.h"
#include "python/arenas_on_huge_pages.h"
#include "python/navigation_columns.h"
#include "python/text_cells.h"
#include "python/text_column.h"

namespace orvanto::python {
namespace {

using Providers = std::vector<std::unique_ptr<const batch::ColumnProvider>>;

Providers providersFor(const BatchChoices& choices) {
    return navigationColumns(choices.style, choices.geodesic, choices.navigation, choices.variation,
                             choices.deviation);
}

std::vector<const batch::ColumnProvider*> viewsOf(const Providers& owned) {
    std::vector<const batch::ColumnProvider*> providers;
    providers.reserve(owned.size());
    for (const auto& provider : owned) {
        providers.push_back(provider.get());
    }
    return providers;
}

batch::BatchColumns layoutOf(const std::vector<std::string>& header,
                             const std::vector<std::string_view>& resultNames) {
    const std::vector<std::string_view> names(header.begin(), header.end());
    auto layout = batch::findColumns(names, resultNames, everyNavigationColumn());
    if (!layout) {
        throw py::value_error(layout.error());
    }
    return layout.value();
}

std::vector<std::size_t> positionsRead(const batch::BatchColumns& layout) {
    std::vector<std::size_t> read;
    for (const auto& position : layout.position) {
        if (position) {
            read.push_back(*position);
        }
    }
    std::sort(read.begin(), read.end());
    return read;
}

// Where each row's results go: texts gathered while the GIL is released, and numbers written
// straight into their array.
struct RowSinks {
    std::vector<TextColumn> texts;  // every result column, or the error column alone, of a piece
    double* numbers = nullptr;      // a row of `rows` values for each numeric column
    std::size_t rows = 0;
};

// Rows a piece of a frame: the cells' views and the result texts of a piece are made in memory
// used again for the next, where texts for the whole frame at once would touch some 150 MB of
// fresh pages for a million rows, slower to fault in than the rows are to compute. Large enough
// that a Python thread spinning beside takes the GIL from the batch a few times, not thousands,
// as kPieceRows' thousand pieces a million rows did (read_entries keeps those: measured, its
// larger pieces took no less time).
constexpr std::size_t kFramePieceRows = 65536;

void putResults(const batch::RowResults& results, std::size_t row, RowSinks& sinks) {
    if (sinks.numbers != nullptr) {
        sinks.texts[0].append(results.error);
        for (std::size_t i = 0; i < results.numbers.size(); ++i) {
            sinks.numbers[i * sinks.rows + row] = results.numbers[i];
        }
        return;
    }
    sinks.texts[0].append(results.kilometres);
    sinks.texts[1].append(results.nauticalMiles);
    sinks.texts[2].append(results.angle);
    sinks.texts[3].append(results.error);
    for (std::size_t i = 0; i < results.extra.size(); ++i) {
        sinks.texts[batch::kPlainResultColumns + i].append(results.extra[i]);
    }
}

// Every row of a piece as a batch run computes a record of the same fields: a blank one is passed
// by with empty results. No Python object is touched here.
void computeRows(batch::RowCalculator& calculator,
                 const std::vector<std::span<const std::string_view>>& cells, RowSpan piece,
                 RowSinks& sinks) {
    batch::RowResults results;
    std::vector<std::string_view> fields(cells.size());
    for (std::size_t row = 0; row < piece.count; ++row) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            fields[column] = cells[column][row];
        }
        if (batch::isBlankRecord(fields)) {
            for (TextColumn& texts : sinks.texts) {
                texts.append({});
            }
            continue;  // its numbers stay NaN
        }
        calculator.calculate(fields, results);
        putResults(results, piece.first + row, sinks);
    }
}

}  // namespace

std::vector<std::size_t> columnsRead(const std::vector<std::string>& header,
                                     const BatchChoices& choices) {
    const Providers owned = providersFor(choices);
    return positionsRead(layoutOf(header, batch::resultColumns(viewsOf(owned))));
}

FrameResults runFrameBatch(const std::vector<std::string>& header,
                           const std::vector<py::array>& columns, const py::handle& missing,
                           const BatchChoices& choices) {
    if (header.size() != columns.size()) {
        throw py::value_error("frame：列名与列数不符");
    }
    const Providers owned = providersFor(choices);
    const std::vector<const batch::ColumnProvider*> providers = viewsOf(owned);
    const std::vector<std::string_view> resultNames = batch::resultColumns(providers);
    const batch::BatchColumns layout = layoutOf(header, resultNames);
    const std::vector<std::size_t> read = positionsRead(layout);

    std::vector<Utf8Cells> cells;
    cells.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const bool passedThrough = !std::binary_search(read.begin(), read.end(), i);
        cells.emplace_back(columns[i], "frame 的 “" + header[i] + "” 列", missing, passedThrough);
    }
    const std::size_t rows = cells.empty() ? 0 : cells.front().size();
    for (const Utf8Cells& column : cells) {
        if (column.size() != rows) {
            throw py::value_error("frame：各列的行数不同");
        }
    }

    // One block of objects for the kept input columns and the text results, a row of it a column:
    // the frame made over it needs no copy of its own.
    const std::size_t width = layout.width;
    const std::size_t textColumns = choices.numbers ? 1 : resultNames.size();
    FrameResults results;
    results.width = width;
    for (const std::string_view name : resultNames) {
        results.names.emplace_back(name);
    }
    results.values = objectArray(width + textColumns, rows);
    auto** block = static_cast<PyObject**>(results.values.mutable_data());
    RowSinks sinks{.texts = std::vector<TextColumn>(textColumns), .rows = rows};
    if (choices.numbers) {
        py::array_t<double> numbers{std::vector<py::ssize_t>{
            static_cast<py::ssize_t>(resultNames.size() - 1), static_cast<py::ssize_t>(rows)}};
        sinks.numbers = numbers.mutable_data();
        std::fill_n(sinks.numbers, numbers.size(), std::numeric_limits<double>::quiet_NaN());
        results.numbers = numbers;
    }

    // A blank mode field takes the points of seconds=, as the frame's caller gave them.
    batch::RowCalculator calculator{
        layout, {choices.modes, " seconds= 的设定"}, choices.style, providers, choices.numbers};
    std::vector<std::span<const std::string_view>> texts(cells.size());
    for (std::size_t first = 0; first < rows; first += kFramePieceRows) {
        const RowSpan piece{.first = first, .count = std::min(kFramePieceRows, rows - first)};
        for (std::size_t i = 0; i < cells.size(); ++i) {
            texts[i] = cells[i].read(piece, i < width ? block + i * rows + first : nullptr);
        }
        for (TextColumn& column : sinks.texts) {
            column.clear();
        }
        {
            py::gil_scoped_release released;
            computeRows(calculator, texts, piece, sinks);
        }
        const ArenasOnHugePages arenas;
        for (std::size_t i = 0; i < textColumns; ++i) {
            sinks.texts[i].putObjects(block + (width + i) * rows + first);
        }
    }
    return results;
}

}  // namespace orvanto::python
