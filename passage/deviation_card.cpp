#include "passage/deviation_card.h"

#include <algorithm>

#include "passage/passage_values.h"
#include "passage/table_file.h"

namespace orvanto::passage {

using navigation::CourseReference;
using navigation::DeviationCard;

namespace {

constexpr NamedColumn kCardColumns[] = {{"heading", "航向", true}, {"deviation", "自差", true}};
constexpr TableDescription kCardFile = {
    "自差表", "heading,deviation", "自差表的表头须有 heading、deviation 两列（或 航向、自差）"};

std::string lineText(std::size_t line) {
    return "自差表第 " + std::to_string(line) + " 行";
}

}  // namespace

Expected<navigation::DeviationCard, std::string> readDeviationCard(batch::CsvReader& reader,
                                                                   batch::TextCodec& codec) {
    auto table = TableFile::open(reader, codec, kCardColumns, kCardFile);
    if (!table) {
        return unexpected(table.error());
    }
    navigation::DeviationCard card;
    std::vector<std::size_t> lines;
    TableRecord record;
    while (table.value().next(record)) {
        if (record.unreadable) {
            return unexpected(lineText(record.line) + "：" + *record.unreadable);
        }
        const auto heading = readCourse(record.fields[0]);
        if (!heading || heading->reference == navigation::CourseReference::Compass) {
            return unexpected(lineText(record.line) + "的航向“" + record.fields[0] +
                              "”无法识别：应为 0 到 360 的磁航向度数，如 015");
        }
        const auto deviation = readDeviation(record.fields[1]);
        if (!deviation) {
            return unexpected(lineText(record.line) + "的自差“" + record.fields[1] +
                              "”无法识别：应为度数，西为负、东为正，如 2.5W、-2.5 或 1E");
        }
        const auto same =
            std::find_if(card.entries.begin(), card.entries.end(),
                         [&](const auto& e) { return e.heading == heading->degrees; });
        if (same != card.entries.end()) {
            return unexpected(
                lineText(record.line) + "的航向“" + record.fields[0] + "”与第 " +
                std::to_string(lines[static_cast<std::size_t>(same - card.entries.begin())]) +
                " 行的重复");
        }
        card.entries.push_back({heading->degrees, *deviation});
        lines.push_back(record.line);
    }
    if (card.entries.size() < 2) {
        return unexpected(std::string{"自差表至少要有两个航向的自差"});
    }
    // Sorted by heading, each entry keeping its line.
    std::vector<std::size_t> order(card.entries.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return card.entries[a].heading < card.entries[b].heading;
    });
    navigation::DeviationCard sorted;
    for (const std::size_t i : order) {
        sorted.entries.push_back(card.entries[i]);
    }
    if (const auto steep = navigation::steepSpan(sorted)) {
        const std::size_t first = lines[order[steep->first]];
        const std::size_t second = lines[order[steep->second]];
        return unexpected(lineText(std::min(first, second)) + "与第 " +
                          std::to_string(std::max(first, second)) +
                          " 行之间，自差的变化不小于航向之差：由罗航向求磁航向（磁航向 = 罗航向 + "
                          "自差）不止一解，请检查这两行");
    }
    return sorted;
}

}  // namespace orvanto::passage
