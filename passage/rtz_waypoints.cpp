#include "passage/rtz_waypoints.h"

#include <expat.h>

#include <array>
#include <memory>
#include <optional>

#include "passage/degree_text.h"
#include "text/ascii_case.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

constexpr double kLatitudeLimit = 90;
constexpr double kLongitudeLimit = 180;
// expat gives an element's name as its namespace, this separator and its local name.
constexpr char kNamespaceSeparator = ' ';
constexpr std::array<std::string_view, 3> kNamespaces = {
    "http://www.cirm.org/RTZ/1/0", "http://www.cirm.org/RTZ/1/1", "http://www.cirm.org/RTZ/1/2"};

std::string lineText(std::size_t line) {
    return "RTZ 文件第 " + std::to_string(line) + " 行";
}

struct ParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

class RtzScan {
  public:
    RtzScan() : parser_(XML_ParserCreateNS(nullptr, kNamespaceSeparator)) {
        XML_SetUserData(parser_.get(), this);
        XML_SetElementHandler(parser_.get(), &RtzScan::onStart, &RtzScan::onEnd);
        XML_SetStartDoctypeDeclHandler(parser_.get(), &RtzScan::onDoctype);
    }

    Expected<std::vector<Waypoint>, std::string> run(std::string_view rtz) {
        if (!parser_) {
            throw std::bad_alloc();
        }
        const auto status =
            XML_Parse(parser_.get(), rtz.data(), static_cast<int>(rtz.size()), XML_TRUE);
        if (error_) {
            return unexpected(*error_);
        }
        if (status != XML_STATUS_OK) {
            return unexpected(lineText(XML_GetCurrentLineNumber(parser_.get())) +
                              "不是格式正确的 XML（" +
                              XML_ErrorString(XML_GetErrorCode(parser_.get())) + "），无法读取");
        }
        if (waypoints_.empty()) {
            return unexpected(std::string{"RTZ 文件中没有航点（<waypoint>）"});
        }
        // A leg belongs to the waypoint where it ends; the leg field to the one where it starts.
        for (std::size_t i = 1; i < waypoints_.size(); ++i) {
            waypoints_[i - 1].sailing = legs_[i] ? legs_[i] : defaultLeg_;
        }
        return std::move(waypoints_);
    }

  private:
    static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<RtzScan*>(data)->start(name, attributes);
    }
    static void XMLCALL onEnd(void* data, const XML_Char* /*name*/) {
        static_cast<RtzScan*>(data)->path_.pop_back();
    }
    static void XMLCALL onDoctype(void* data, const XML_Char* /*name*/, const XML_Char* /*system*/,
                                  const XML_Char* /*public*/, int /*internal*/) {
        static_cast<RtzScan*>(data)->refuse(
            "有文档类型定义（<!DOCTYPE>）：RTZ 文件不用它，为安全起见不予读取");
    }

    void refuse(const std::string& what) {
        if (!error_) {
            error_ = lineText(line()) + what;
        }
        XML_StopParser(parser_.get(), XML_FALSE);
    }

    std::size_t line() const { return XML_GetCurrentLineNumber(parser_.get()); }

    // The element's local name when it is RTZ's; empty for an element of another namespace.
    std::string_view rtzName(std::string_view name) {
        const std::size_t separator = name.find(kNamespaceSeparator);
        if (separator == std::string_view::npos) {
            return {};
        }
        const std::string_view space = name.substr(0, separator);
        if (path_.empty()) {
            for (const std::string_view known : kNamespaces) {
                namespace_ = space == known ? space : namespace_;
            }
        }
        return !namespace_.empty() && space == namespace_ ? name.substr(separator + 1)
                                                          : std::string_view{};
    }

    static std::optional<std::string_view> attribute(const XML_Char** attributes,
                                                     std::string_view name) {
        for (; attributes[0] != nullptr; attributes += 2) {
            if (name == attributes[0]) {
                return attributes[1];
            }
        }
        return std::nullopt;
    }

    bool at(std::initializer_list<std::string_view> path) const {
        return std::equal(path_.begin(), path_.end(), path.begin(), path.end());
    }

    void start(std::string_view name, const XML_Char** attributes) {
        path_.emplace_back(rtzName(name));
        if (path_.size() == 1 && path_.back() != "route") {
            refuse("的根元素不是 RTZ 1.0、1.1 或 1.2 的 <route>：这不是 RTZ 航线文件");
        } else if (at({"route", "waypoints", "waypoint"})) {
            Waypoint& waypoint = waypoints_.emplace_back();
            waypoint.line = line();
            waypoint.name = trimmed(attribute(attributes, "name").value_or(""), " \t\r\n");
            if (waypoint.name.empty()) {
                waypoint.name = attribute(attributes, "id").value_or("");
            }
            legs_.emplace_back();
        } else if (at({"route", "waypoints", "waypoint", "position"})) {
            position(attributes);
        } else if (at({"route", "waypoints", "waypoint", "leg"})) {
            legs_.back() = geometry(attributes);
        } else if (at({"route", "waypoints", "defaultWaypoint", "leg"})) {
            defaultLeg_ = geometry(attributes);
        }
    }

    void position(const XML_Char** attributes) {
        Waypoint& waypoint = waypoints_.back();
        for (const auto& [axis, limit, into] :
             {std::tuple{"lat", kLatitudeLimit, &waypoint.entries.latitude},
              std::tuple{"lon", kLongitudeLimit, &waypoint.entries.longitude}}) {
            const auto value = attribute(attributes, axis);
            if (!value) {
                continue;  // the route says what the waypoint lacks
            }
            const auto degrees = degreeMarkText(*value, limit);
            if (!degrees) {
                refuse("的 <position> 的 " + std::string{axis} + " 属性“" + std::string{*value} +
                       "”不是 " + std::to_string(static_cast<int>(-limit)) + " 到 " +
                       std::to_string(static_cast<int>(limit)) + " 之间的度数（如 31.5）");
                return;
            }
            *into = *degrees;
        }
    }

    std::optional<LegSailing> geometry(const XML_Char** attributes) {
        const auto type = attribute(attributes, "geometryType");
        if (!type) {
            return std::nullopt;
        }
        if (*type == "Loxodrome") {
            return LegSailing::RhumbLine;
        }
        if (*type == "Orthodrome") {
            return LegSailing::GreatCircle;
        }
        refuse("的 <leg> 的 geometryType 属性“" + std::string{*type} +
               "”应为 Loxodrome（恒向线）或 Orthodrome（大圆）");
        return std::nullopt;
    }

    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser_;
    std::vector<std::string> path_;  // the open elements' RTZ names
    std::string namespace_;          // the root's RTZ namespace
    std::vector<Waypoint> waypoints_;
    std::vector<std::optional<LegSailing>> legs_;  // each waypoint's own leg, by waypoint
    std::optional<LegSailing> defaultLeg_;
    std::optional<std::string> error_;
};

}  // namespace

Expected<std::vector<Waypoint>, std::string> waypointsFromRtz(std::string_view rtz) {
    if (rtz.size() > kLargestRtzFile) {
        return unexpected(std::string{"RTZ 文件超过 64 MiB，不予读取"});
    }
    return RtzScan{}.run(rtz);
}

bool isRtzFileName(std::string_view name) {
    return name.size() >= 4 && asciiLowerCase(name.substr(name.size() - 4)) == ".rtz";
}

}  // namespace orvanto::passage
