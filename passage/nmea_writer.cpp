#include "passage/nmea_writer.h"

#include <cmath>
#include <set>
#include <vector>

#include "text/padded_digits.h"

namespace orvanto::passage {
namespace {

constexpr std::size_t kLongestSentence = 82;  // with its "$" and CR LF
constexpr long long kUnitsInMinute = 10000;   // four decimals of a minute, about 0.2 m
constexpr long long kUnitsInDegree = 60 * kUnitsInMinute;

bool isAsciiAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string alphanumerics(std::string_view name, std::size_t length) {
    std::string kept;
    for (const char c : name) {
        if (kept.size() < length && isAsciiAlphanumeric(c)) {
            kept += c;
        }
    }
    return kept;
}

// The name cut to `length`, then numbered until no name given before has it; empty when the
// numbers that fit run out.
std::string uniqueName(const std::string& name, std::size_t length,
                       const std::set<std::string>& given) {
    if (!given.contains(name)) {
        return name;
    }
    for (std::size_t number = 1;; ++number) {
        const std::string suffix = std::to_string(number);
        if (suffix.size() > length) {
            return {};
        }
        std::string candidate = name.substr(0, length - suffix.size()) + suffix;
        if (!given.contains(candidate)) {
            return candidate;
        }
    }
}

// "ddmm.mmmm,N" (`degreeDigits` 2) or "dddmm.mmmm,E" (3): rounded to the unit of the last digit
// in whole numbers, so that 59.99995 minutes carry into the next degree instead of reading 60.
std::string position(double degrees, int degreeDigits, char positive, char negative) {
    const long long units = std::llround(std::abs(degrees) * double{kUnitsInDegree});
    std::string text;
    appendPadded(text, units / kUnitsInDegree, degreeDigits);
    appendPadded(text, units % kUnitsInDegree / kUnitsInMinute, 2);
    text += '.';
    appendPadded(text, units % kUnitsInMinute, 4);
    return text + "," + (degrees < 0 && units > 0 ? negative : positive);
}

std::string sentence(const std::string& body) {
    return "$" + body + nmeaChecksum(body) + "\r\n";
}

// The $GPRTE sentences listing `names`, as many names in each as fit; the count's own digits
// decide how many fit, so the split is tried with one digit more until it holds.
std::string routeSentences(const std::string& id, const std::vector<std::string>& names) {
    for (std::size_t digits = 1;; ++digits) {
        std::vector<std::string> lists{""};
        // "$GPRTE," total "," number ",c," id … "*hh\r\n"
        const std::size_t fixed = 7 + digits + 1 + digits + 3 + id.size() + 5;
        for (const std::string& name : names) {
            if (!lists.back().empty() &&
                fixed + lists.back().size() + 1 + name.size() > kLongestSentence) {
                lists.emplace_back();
            }
            lists.back() += "," + name;
        }
        const std::string total = std::to_string(lists.size());
        if (total.size() > digits) {
            continue;
        }
        std::string text;
        for (std::size_t i = 0; i < lists.size(); ++i) {
            std::string body = "GPRTE," + total;
            body += "," + std::to_string(i + 1) + ",c," + id + lists[i];
            text += sentence(body);
        }
        return text;
    }
}

}  // namespace

std::string nmeaChecksum(std::string_view body) {
    constexpr char kHex[] = "0123456789ABCDEF";
    unsigned sum = 0;
    for (const char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    return {'*', kHex[(sum >> 4U) & 0xFU], kHex[sum & 0xFU]};
}

Expected<std::string, std::string> nmeaRoute(std::string_view routeName,
                                             std::span<const RoutePoint> points,
                                             std::size_t nameLength) {
    std::set<std::string> given;
    std::vector<std::string> names;
    std::string text;
    for (std::size_t i = 0; i < points.size(); ++i) {
        std::string name = alphanumerics(points[i].name, nameLength);
        if (name.empty()) {
            name = alphanumerics("WP" + std::to_string(i + 1), nameLength);
        }
        name = uniqueName(name, nameLength, given);
        if (name.empty()) {
            return unexpected("航点太多，" + std::to_string(nameLength) +
                              " 个字符以内无法给每个航点不同的 NMEA 名称");
        }
        given.insert(name);
        const auto& at = points[i].position;
        text += sentence("GPWPL," + position(at.latitude, 2, 'N', 'S') + "," +
                         position(at.longitude, 3, 'E', 'W') + "," + name);
        names.push_back(std::move(name));
    }
    std::string id = alphanumerics(routeName, nameLength);
    return text + routeSentences(id.empty() ? "ROUTE" : id, names);
}

}  // namespace orvanto::passage
