// A table too wide for the terminal it is shown on, written one block a row as psql's `\x auto`
// does: a title (第 3 行 分点2 → 分点3), then a line for each column, its heading and its value,
// a long value wrapped under itself, so that every line fits the terminal's width.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::cli {

// The columns of the terminal on `fd`: its window size, else the COLUMNS variable, else 80.
std::size_t terminalColumns(int fd);

// Whether every line of `text` fits in `width` columns.
bool fitsWidth(std::string_view text, std::size_t width);

// `cells` is the table with its heading row first, its from and to columns headed 起点 and 终点;
// `notes` the lines that follow it, wrapped too.
std::string expandedTable(const std::vector<std::vector<std::string>>& cells,
                          std::string_view notes, std::size_t width);

}  // namespace orvanto::cli
