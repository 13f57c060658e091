#include "passage/gpx_writer.h"

#include "text/code_points.h"

namespace orvanto::passage {
namespace {

constexpr double kAntimeridian = 180;

}  // namespace

std::string xmlEscaped(std::string_view text) {
    if (!isValidUtf8(text)) {
        // Bytes that are no UTF-8 cannot stand in an XML document: each becomes U+FFFD.
        std::u32string characters = decodeUtf8(text);
        for (char32_t& character : characters) {
            character = strayByte(character) ? U'\uFFFD' : character;
        }
        return xmlEscaped(encodeUtf8(characters));
    }
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' ? ' ' : c;
        }
    }
    return escaped;
}

std::string gpxRoute(std::string_view routeName, std::span<const RoutePoint> points) {
    std::string gpx =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"orvanto-cli\" "
        "xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
        "  <rte>\n"
        "    <name>" +
        xmlEscaped(routeName) + "</name>\n";
    for (const RoutePoint& point : points) {
        // GPX longitudes run from -180 up to but not including 180: the same meridian.
        const double longitude =
            point.position.longitude == kAntimeridian ? -kAntimeridian : point.position.longitude;
        gpx += "    <rtept lat=\"" + decimalDegrees(point.position.latitude) + "\" lon=\"" +
               decimalDegrees(longitude) + "\"><name>" + xmlEscaped(point.name) +
               "</name></rtept>\n";
    }
    gpx += "  </rte>\n</gpx>\n";
    return gpx;
}

}  // namespace orvanto::passage
