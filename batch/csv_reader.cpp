#include "batch/csv_reader.h"

#include <algorithm>
#include <cstring>

#include "batch/batch_error.h"
#include "text/code_points.h"

namespace orvanto::batch {
namespace {

const char* findByte(const char* begin, const char* end, char byte) {
    return static_cast<const char*>(
        std::memchr(begin, byte, static_cast<std::size_t>(end - begin)));
}

std::size_t countLines(const char* begin, const char* end) {
    return static_cast<std::size_t>(std::count(begin, end, '\n'));
}

}  // namespace

CsvReader::CsvReader(ByteSource& source, std::size_t bufferSize)
    : source_(source), buffer_(std::max(bufferSize, 2 * kMinimumRead)) {}

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

std::string_view CsvReader::lookAhead(std::size_t size, bool& complete) {
    while (!ended_ && end_ - begin_ < size && fill()) {
    }
    complete = ended_;
    return {buffer_.data() + begin_, std::min(size, end_ - begin_)};
}

// The record fills the buffer without a line break outside quotes: it is reported without its
// fields and its bytes are passed over up to the next line feed.
void CsvReader::skipLongRecord(CsvRecord& record) {
    record.fields.clear();
    record.verbatim = false;
    record.tooLong = true;
    record.text = {};
    record.lineEnd = "\n";
    record.line = line_;
    for (;;) {
        const char* const begin = buffer_.data() + begin_;
        const char* const end = buffer_.data() + end_;
        const char* const lineFeed = findByte(begin, end, '\n');
        line_ += countLines(begin, lineFeed != nullptr ? lineFeed + 1 : end);
        begin_ =
            lineFeed != nullptr ? static_cast<std::size_t>(lineFeed + 1 - buffer_.data()) : end_;
        if (lineFeed != nullptr || ended_) {
            return;
        }
        fill();
    }
}

// The header line decides the delimiter, so it is read whole (or up to a full buffer) first.
void CsvReader::start() {
    started_ = true;
    while (!ended_ && findByte(buffer_.data() + begin_, buffer_.data() + end_, '\n') == nullptr &&
           fill()) {
    }
    const std::string_view unread{buffer_.data() + begin_, end_ - begin_};
    if (unread.starts_with(kUtf8ByteOrderMark)) {
        hadByteOrderMark_ = true;
        begin_ += kUtf8ByteOrderMark.size();
    }
    const std::string_view header = unread.substr(0, unread.find('\n'));
    const std::size_t separator = header.find_first_of(",\t");
    delimiter_ = separator != std::string_view::npos && header[separator] == '\t' ? '\t' : ',';
    classes_[static_cast<unsigned char>(delimiter_)] = ByteClass::Delimiter;
    classes_['\n'] = ByteClass::LineFeed;
    classes_['"'] = ByteClass::QuoteOrReturn;
    classes_['\r'] = ByteClass::QuoteOrReturn;
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
            if (openQuoteLine_ != 0) {
                throw BatchError("第 " + std::to_string(openQuoteLine_) +
                                 " 行的引号没有闭合（引号内的文字超过 " +
                                 std::to_string(buffer_.size() / 1024) + " KiB）");
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
    if (begin == end) {
        return ended_ ? Scan::End : Scan::NeedMore;
    }
    record.fields.clear();
    record.tooLong = false;
    openQuoteLine_ = 0;
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
        } else if (byteClass == ByteClass::LineFeed) {
            break;
        } else if (*at == '"' || at + 1 == end || at[1] != '\n') {
            return scanRecord(record);  // a quote, or a carriage return not ending the line
        }
    }
    const bool lineFeed = at < end;
    if (!lineFeed && !ended_) {
        return Scan::NeedMore;
    }
    const char* contentEnd = at;
    if (lineFeed && contentEnd > begin && contentEnd[-1] == '\r') {
        --contentEnd;
    }
    record.fields.emplace_back(fieldStart, static_cast<std::size_t>(contentEnd - fieldStart));
    record.verbatim = true;
    record.text = {begin, static_cast<std::size_t>(contentEnd - begin)};
    record.lineEnd = !lineFeed ? "" : contentEnd == at ? "\n" : "\r\n";
    record.line = line_;
    line_ += lineFeed ? 1 : 0;
    begin_ = static_cast<std::size_t>((lineFeed ? at + 1 : at) - base);
    return Scan::Record;
}

std::string& CsvReader::quotedText(std::size_t index) {
    if (index == quoted_.size()) {
        quoted_.emplace_back();
    }
    quoted_[index].clear();
    return quoted_[index];
}

CsvReader::Scan CsvReader::scanRecord(CsvRecord& record) {
    const char* const base = buffer_.data();
    const char* const begin = base + begin_;
    const char* const end = base + end_;
    // Where a field's plain text, or the rest after a closing quote, ends: at the delimiter or
    // the line feed, less a carriage return right before the line feed.
    const auto plainEnd = [&](const char*& at) {
        const char* const from = at;
        while (at < end && *at != delimiter_ && *at != '\n') {
            ++at;
        }
        const char* stop = at;
        if (at < end && *at == '\n' && stop > from && stop[-1] == '\r') {
            --stop;
        }
        return stop;
    };
    record.fields.clear();
    record.tooLong = false;
    openQuoteLine_ = 0;
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
                    const std::size_t openedOn = line_ + countLines(begin, opening);
                    if (!ended_) {
                        openQuoteLine_ = openedOn;
                        return Scan::NeedMore;
                    }
                    throw BatchError("第 " + std::to_string(openedOn) + " 行的引号没有闭合");
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
            if (at == end && !ended_) {
                return Scan::NeedMore;
            }
            text.append(rest, restEnd);
            record.fields.emplace_back(text);
        } else {
            const char* const start = at;
            const char* const stop = plainEnd(at);
            if (at == end && !ended_) {
                return Scan::NeedMore;
            }
            record.fields.emplace_back(start, static_cast<std::size_t>(stop - start));
        }
        if (at == end || *at == '\n') {
            break;
        }
        ++at;  // past the delimiter
    }
    record.verbatim = false;
    const bool crlf = at < end && at > begin && at[-1] == '\r';
    record.text = {begin, static_cast<std::size_t>(at - begin) - (crlf ? 1 : 0)};
    record.lineEnd = at == end ? "" : crlf ? "\r\n" : "\n";
    record.line = line_;
    line_ += countLines(begin, at) + (at == end ? 0 : 1);
    begin_ = static_cast<std::size_t>((at == end ? at : at + 1) - base);
    return Scan::Record;
}

}  // namespace orvanto::batch
