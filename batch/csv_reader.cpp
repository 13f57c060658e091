#include "batch/csv_reader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "batch/input_output_error.h"
#include "text/code_points.h"

namespace orvanto::batch {
namespace {

// The high bit of each byte of `word` that equals `byte`, and no other bit. Exact for every byte:
// no carry crosses from one byte into the next.
std::uint64_t bytesEqualTo(std::uint64_t word, char byte) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FU;
    const std::uint64_t differ = word ^ (0x0101010101010101U * static_cast<unsigned char>(byte));
    return ~(((differ & kLow7) + kLow7) | differ | kLow7);
}

const char* findByte(const char* begin, const char* end, char byte) {
    return static_cast<const char*>(
        std::memchr(begin, byte, static_cast<std::size_t>(end - begin)));
}

// How many bytes of [at, end) pass `test` (given a pointer to the byte), counted in runs of 255
// into a byte, which a compiler turns into vector instructions.
template <typename Test>
std::size_t countBytes(const char* at, const char* end, Test test) {
    constexpr std::ptrdiff_t kRun = 255;
    std::size_t count = 0;
    for (; end - at >= kRun; at += kRun) {
        unsigned char inRun = 0;
        for (std::ptrdiff_t i = 0; i < kRun; ++i) {
            inRun = static_cast<unsigned char>(inRun + (test(at + i) ? 1 : 0));
        }
        count += inRun;
    }
    for (; at < end; ++at) {
        count += test(at) ? 1U : 0U;
    }
    return count;
}

std::size_t countLineFeeds(const char* at, const char* end) {
    return countBytes(at, end, [](const char* byte) { return *byte == '\n'; });
}

// Just past the `count`-th line feed of [at, end), which holds more than `count`: the line feeds
// counted a kilobyte at a time, as countLineFeeds counts them, and looked for one by one only in
// the kilobyte where the last of them lies. A block's 4,096 lines looked for one by one took a
// call each, more than cutting them.
const char* afterLineFeeds(const char* at, const char* end, std::size_t count) {
    constexpr std::ptrdiff_t kStretch = 1024;
    for (; end - at >= kStretch; at += kStretch) {
        const std::size_t inStretch = countLineFeeds(at, at + kStretch);
        if (inStretch >= count) {
            break;
        }
        count -= inStretch;
    }
    for (; count > 0; --count) {
        at = findByte(at, end, '\n') + 1;
    }
    return at;
}

// Whether a carriage return in [at, end) is not followed by a line feed; the last byte is a line
// feed. Counted without a branch, so that a file of CR LF lines is checked at the speed of a copy.
bool loneReturn(const char* at, const char* end) {
    return countBytes(at, end - 1,
                      [](const char* byte) { return (byte[0] == '\r') & (byte[1] != '\n'); }) != 0;
}

// Line ends in [begin, end): LF, CR LF counted once, and a lone CR.
std::size_t countLines(const char* begin, const char* end) {
    std::size_t lines = 0;
    for (const char* at = begin; at < end; ++at) {
        lines += *at == '\n' || (*at == '\r' && (at + 1 == end || at[1] != '\n')) ? 1 : 0;
    }
    return lines;
}

const char* findLineEnd(const char* begin, const char* end) {
    const char* const found =
        std::find_if(begin, end, [](char byte) { return byte == '\n' || byte == '\r'; });
    return found == end ? nullptr : found;
}

// The header's fields for one candidate delimiter, its quotes read as the scan reads them. A plain
// field is a piece of the line; a quoted one is unquoted into `unquoted`, reserved beforehand so
// that no field's text moves.
void headerFields(std::string_view line, char delimiter, std::vector<std::string_view>& fields,
                  std::vector<std::string>& unquoted) {
    fields.clear();
    fields.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), delimiter)) + 1);
    unquoted.clear();
    unquoted.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), '"')));
    for (std::size_t at = 0;;) {
        const std::size_t begin = at;
        std::string* field = nullptr;
        if (at < line.size() && line[at] == '"') {
            // Quoted, a doubled quote standing for one; what follows the closing quote is taken
            // as it stands, as the scan takes it.
            field = &unquoted.emplace_back();
            for (++at; at < line.size(); ++at) {
                if (line[at] != '"') {
                    *field += line[at];
                } else if (at + 1 < line.size() && line[at + 1] == '"') {
                    *field += '"';
                    ++at;
                } else {
                    ++at;
                    break;
                }
            }
        }
        const std::size_t end = std::min(line.find(delimiter, at), line.size());
        if (field != nullptr) {
            field->append(line, at, end - at);
            fields.emplace_back(*field);
        } else {
            fields.push_back(line.substr(begin, end - begin));
        }
        if (end == line.size()) {
            return;
        }
        at = end + 1;
    }
}

}  // namespace

// The buffer holds the largest record, its line end's first byte and a read more: a record that
// fits is always taken whole, whatever the reads before it brought.
CsvReader::CsvReader(ByteSource& source, std::size_t largestRecord)
    : source_(source),
      largest_(std::max(largestRecord, kMinimumRead)),
      buffer_(largest_ + 1 + kMinimumRead) {}

bool CsvReader::fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < kMinimumRead) {
        return false;
    }
    const std::size_t n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    end_ += n;
    ended_ = n == 0;
    return true;
}

std::string_view CsvReader::takePlainLines(Most most, std::size_t& firstLine) {
    if (!started_) {
        return {};  // the header and what may come before it are next()'s
    }
    // More is read only when not one whole line is here, as next() reads: a line typed at a
    // terminal is taken as soon as it ends.
    if (!ended_ && findByte(buffer_.data() + begin_, buffer_.data() + end_, '\n') == nullptr) {
        fill();
    }
    const char* const begin = buffer_.data() + begin_;
    // No longer line than a record may be, as next() would mark it too long.
    const char* stop = begin + std::min({end_ - begin_, most.bytes, largest_ + 1});
    if (const char* const quote = findByte(begin, stop, '"')) {
        stop = quote;
    }
    // Up to the last line feed, or to the most lines.
    const char* taken = stop;
    while (taken > begin && taken[-1] != '\n') {
        --taken;
    }
    std::size_t lines = countLineFeeds(begin, taken);
    if (lines > most.lines) {
        taken = afterLineFeeds(begin, taken, most.lines);
        lines = most.lines;
    }
    // A carriage return alone ends a line too; it is rare enough to leave to next().
    if (const char* const cr = findByte(begin, taken, '\r');
        cr != nullptr && loneReturn(cr, taken)) {
        return {};
    }
    firstLine = line_;
    line_ += lines;
    begin_ += static_cast<std::size_t>(taken - begin);
    return {begin, static_cast<std::size_t>(taken - begin)};
}

std::string_view CsvReader::lookAhead(std::size_t size, bool& complete) {
    size = std::min(size, largest_ + 1);  // what the buffer surely holds, however it was read
    while (!ended_ && end_ - begin_ < size && fill()) {
    }
    complete = ended_;
    return {buffer_.data() + begin_, std::min(size, end_ - begin_)};
}

void CsvReader::markTooLong(CsvRecord& record) const {
    record.fields.clear();
    record.verbatim = false;
    record.tooLong = true;
    record.text = {};
    record.lineEnd = "\n";
    record.line = line_;
}

// A record with a quote runs past the largest: its end cannot be told from a quote never closed.
void CsvReader::throwLongQuoted() const {
    throw InputOutputError(lineText(line_) + "起的记录超过 " + largestRecordText() +
                           "，其中的引号可能没有闭合");
}

// A record past the largest, with no quote as far as that: it is reported without its fields and
// its bytes are passed over up to the next line end, any quote after counted as data.
void CsvReader::skipLongRecord(CsvRecord& record) {
    markTooLong(record);
    for (;;) {
        const char* const base = buffer_.data();
        const char* const end = base + end_;
        const char* const lineEnd = findLineEnd(base + begin_, end);
        if (lineEnd != nullptr && *lineEnd == '\r' && lineEnd + 1 == end && !ended_) {
            // A CR last: whether a line feed follows decides where the next record starts.
            begin_ = static_cast<std::size_t>(lineEnd - base);
            fill();
            continue;
        }
        if (lineEnd != nullptr) {
            const bool crlf = *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n';
            ++line_;
            begin_ = static_cast<std::size_t>(lineEnd + (crlf ? 2 : 1) - base);
            return;
        }
        begin_ = end_;
        if (ended_) {
            return;
        }
        fill();
    }
}

// The first unread line, read whole (or up to a full buffer), and the length of its line end: 0
// when the input ends first.
std::string_view CsvReader::firstLine(std::size_t& endLength) {
    for (;;) {
        const std::string_view unread{buffer_.data() + begin_, end_ - begin_};
        const char* const lineEnd = findLineEnd(unread.data(), unread.data() + unread.size());
        const std::size_t stop = lineEnd == nullptr
                                     ? std::string_view::npos
                                     : static_cast<std::size_t>(lineEnd - unread.data());
        const bool endKnown =
            stop != std::string_view::npos && (unread[stop] == '\n' || stop + 1 < unread.size());
        if (endKnown || ended_ || !fill()) {
            endLength = stop == std::string_view::npos     ? 0
                        : unread.substr(stop, 2) == "\r\n" ? 2
                                                           : 1;
            return unread.substr(0, stop);
        }
    }
}

char CsvReader::chooseDelimiter(std::string_view header) const {
    if (headerTest_) {
        // The candidates in the order they first appear.
        std::array<std::pair<std::size_t, char>, 3> candidates{};
        std::size_t found = 0;
        for (const char candidate : {'\t', ',', ';'}) {
            if (const std::size_t at = header.find(candidate); at != std::string_view::npos) {
                std::size_t place = found++;
                for (; place > 0 && candidates[place - 1].first > at; --place) {
                    candidates[place] = candidates[place - 1];
                }
                candidates[place] = {at, candidate};
            }
        }
        std::vector<std::string_view> fields;
        std::vector<std::string> unquoted;
        for (std::size_t i = 0; i < found; ++i) {
            headerFields(header, candidates[i].second, fields, unquoted);
            if (headerTest_(fields)) {
                return candidates[i].second;
            }
        }
    }
    const std::size_t separator = header.find_first_of(",\t");
    return separator != std::string_view::npos && header[separator] == '\t' ? '\t' : ',';
}

// The header line decides the delimiter, so it is found and read whole first.
void CsvReader::start() {
    started_ = true;
    std::size_t endLength = 0;
    std::string_view line = firstLine(endLength);
    if (line.starts_with(kUtf8ByteOrderMark)) {
        hadByteOrderMark_ = true;
        begin_ += kUtf8ByteOrderMark.size();
        line = firstLine(endLength);
    }
    while (endLength > 0 && line.size() <= largest_ &&
           line.find_first_not_of(" \t,;") == std::string_view::npos) {
        begin_ += line.size() + endLength;
        ++line_;
        line = firstLine(endLength);
    }
    delimiter_ = chooseDelimiter(line);
    classes_[static_cast<unsigned char>(delimiter_)] = ByteClass::Delimiter;
    classes_['\n'] = ByteClass::LineFeed;
    classes_['"'] = ByteClass::QuoteOrReturn;
    classes_['\r'] = ByteClass::QuoteOrReturn;
}

std::string CsvReader::largestRecordText() const {
    return std::to_string(largest_ / 1024) + " KiB";
}

bool CsvReader::next(CsvRecord& record) {
    if (!started_) {
        start();
    }
    for (;;) {
        Scan scan = scanPlainLine(record);
        if (scan == Scan::Record || scan == Scan::End) {
            return scan == Scan::Record;
        }
        if (!fill()) {
            if (quotedRecord_) {
                throwLongQuoted();
            }
            skipLongRecord(record);
            return true;
        }
    }
}

// The common case, a line without quotes: one pass cuts the fields at the delimiters and finds
// the line feed. Anything else goes to the full scan.
CsvReader::Scan CsvReader::scanPlainLine(CsvRecord& record) {
    const char* const base = buffer_.data();
    const char* const begin = base + begin_;
    const char* const end = base + end_;
    quotedRecord_ = false;
    if (begin == end) {
        return ended_ ? Scan::End : Scan::NeedMore;
    }
    record.fields.clear();
    record.tooLong = false;
    const char* fieldStart = begin;
    const char* at = begin;
    for (; at < end; ++at) {
        const ByteClass byteClass = classes_[static_cast<unsigned char>(*at)];
        if (byteClass == ByteClass::Data) {
            continue;
        }
        if (byteClass == ByteClass::Delimiter) {
            record.fields.emplace_back(fieldStart, static_cast<std::size_t>(at - fieldStart));
            fieldStart = at + 1;
            continue;
        }
        if (byteClass == ByteClass::LineFeed) {
            break;
        }
        if (*at == '"') {
            if (static_cast<std::size_t>(at - begin) > largest_) {
                skipLongRecord(record);  // no quote in as much as a record may hold
                return Scan::Record;
            }
            return scanRecord(record);
        }
        // A carriage return: alone it ends the line; before a line feed, that ends it.
        if (at + 1 == end && !ended_) {
            return Scan::NeedMore;  // last in the buffer: a line feed may follow
        }
        if (at + 1 == end || at[1] != '\n') {
            break;
        }
    }
    const bool lineEnded = at < end;
    if (!lineEnded && !ended_) {
        return Scan::NeedMore;
    }
    const char* contentEnd = at;
    std::string_view lineEnd = lineEnded ? "\n" : "";
    if (lineEnded && *at == '\r') {
        lineEnd = "\r";
    } else if (lineEnded && contentEnd > begin && contentEnd[-1] == '\r') {
        --contentEnd;
        lineEnd = "\r\n";
    }
    if (static_cast<std::size_t>(contentEnd - begin) > largest_) {
        markTooLong(record);  // whole in the buffer all the same
    } else {
        record.fields.emplace_back(fieldStart, static_cast<std::size_t>(contentEnd - fieldStart));
        record.verbatim = true;
        record.text = {begin, static_cast<std::size_t>(contentEnd - begin)};
        record.lineEnd = lineEnd;
        record.line = line_;
    }
    line_ += lineEnded ? 1 : 0;
    begin_ = static_cast<std::size_t>((lineEnded ? at + 1 : at) - base);
    return Scan::Record;
}

std::string& CsvReader::quotedText(std::size_t index) {
    if (index == quoted_.size()) {
        quoted_.push_back(std::make_unique<std::string>());
    }
    quoted_[index]->clear();
    return *quoted_[index];
}

CsvReader::Scan CsvReader::scanRecord(CsvRecord& record) {
    const char* const base = buffer_.data();
    const char* const begin = base + begin_;
    const char* const end = base + end_;
    // Where a field's plain text, or the rest after a closing quote, ends: at the delimiter or
    // the line end.
    const auto plainEnd = [&](const char*& at) {
        while (at < end && *at != delimiter_ && *at != '\n' && *at != '\r') {
            ++at;
        }
        return at;
    };
    // A CR last in the buffer: whether a line feed follows is not known yet.
    const auto endUnknown = [&](const char* at) {
        return !ended_ && (at == end || (*at == '\r' && at + 1 == end));
    };
    const auto pastLargest = [&](const char* at) {
        return static_cast<std::size_t>(at - begin) > largest_;
    };
    record.fields.clear();
    record.tooLong = false;
    quotedRecord_ = true;
    std::size_t quotedCount = 0;
    const char* at = begin;
    for (;;) {
        if (at < end && *at == '"') {
            const char* const opening = at;
            std::string& text = quotedText(quotedCount++);
            ++at;
            for (;;) {
                const char* const quote = findByte(at, end, '"');
                if (quote == nullptr) {
                    if (pastLargest(end)) {
                        throwLongQuoted();
                    }
                    if (!ended_) {
                        return Scan::NeedMore;
                    }
                    throw InputOutputError(lineText(line_ + countLines(begin, opening)) +
                                           "的引号没有闭合");
                }
                text.append(at, quote);
                at = quote + 1;
                // A quote at the buffer's end may be half of a doubled one: the scan of the rest
                // below asks for more input before the record counts as complete.
                if (at == end || *at != '"') {
                    break;
                }
                text += '"';
                ++at;
            }
            const char* const rest = at;
            const char* const restEnd = plainEnd(at);
            if (endUnknown(at)) {
                return Scan::NeedMore;
            }
            text.append(rest, restEnd);
            record.fields.emplace_back(text);
        } else {
            const char* const start = at;
            const char* const stop = plainEnd(at);
            if (endUnknown(at)) {
                return Scan::NeedMore;
            }
            record.fields.emplace_back(start, static_cast<std::size_t>(stop - start));
        }
        if (at == end || *at == '\n' || *at == '\r') {
            break;
        }
        ++at;  // past the delimiter
    }
    if (pastLargest(at)) {
        throwLongQuoted();
    }
    record.verbatim = false;
    const bool crlf = at + 1 < end && *at == '\r' && at[1] == '\n';
    record.text = {begin, static_cast<std::size_t>(at - begin)};
    record.lineEnd = at == end ? "" : crlf ? "\r\n" : *at == '\r' ? "\r" : "\n";
    record.line = line_;
    line_ += countLines(begin, at) + (at == end ? 0 : 1);
    begin_ = static_cast<std::size_t>((at == end ? at : at + (crlf ? 2 : 1)) - base);
    return Scan::Record;
}

void cutPlainLine(std::string_view& lines, char delimiter, std::size_t line, CsvRecord& record) {
    const char* const begin = lines.data();
    const char* const end = begin + lines.size();
    const char* fieldStart = begin;
    record.fields.clear();
    const auto cutField = [&](const char* at) {
        record.fields.emplace_back(fieldStart, static_cast<std::size_t>(at - fieldStart));
        fieldStart = at + 1;
    };
    // Eight bytes at a time, each delimiter and the line feed found by its bit: a line holds a
    // delimiter every few bytes, too close for a search to start and stop between them.
    const char* at = begin;
    const char* lineFeed = nullptr;
    if constexpr (std::endian::native == std::endian::little) {
        for (; lineFeed == nullptr && end - at >= 8; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, at, sizeof word);
            for (std::uint64_t found = bytesEqualTo(word, delimiter) | bytesEqualTo(word, '\n');
                 found != 0; found &= found - 1) {
                const char* const byte = at + std::countr_zero(found) / 8;
                if (*byte == '\n') {
                    lineFeed = byte;
                    break;
                }
                cutField(byte);
            }
        }
    }
    for (; lineFeed == nullptr && at < end; ++at) {
        if (*at == '\n') {
            lineFeed = at;
        } else if (*at == delimiter) {
            cutField(at);
        }
    }
    const char* const lineEnd = lineFeed != nullptr ? lineFeed : end;
    const bool crlf = lineEnd > begin && lineEnd[-1] == '\r';
    const char* const contentEnd = crlf ? lineEnd - 1 : lineEnd;
    cutField(contentEnd);
    record.verbatim = true;
    record.tooLong = false;
    record.text = {begin, static_cast<std::size_t>(contentEnd - begin)};
    record.lineEnd = crlf ? "\r\n" : "\n";
    record.line = line;
    lines.remove_prefix(static_cast<std::size_t>(std::min(lineEnd + 1, end) - begin));
}

}  // namespace orvanto::batch
