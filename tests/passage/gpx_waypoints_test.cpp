// GPX files from chart plotters and map sites read into a waypoint file's lines.
#include <gtest/gtest.h>

#include <string>

#include "passage/gpx_waypoints.h"

namespace orvanto::passage {
namespace {

TEST(GpxWaypoints, TheFirstRouteOrElseTheWaypointsAsDegreeMarkLines) {
    const struct {
        const char* gpx;
        const char* read;  // the lines after the header, or the start of the error
    } rows[] = {
        // Waypoints are the fallback only: a route wins, and only its first one is read.
        {"<gpx><wpt lat='1' lon='2'/><rte><name>R</name><rtept lat=\"31.5000000\" "
         "lon=\"+122.50\"><name> A &amp; B&#x4E1C;&#20013; </name></rtept></rte>"
         "<rte><rtept lat='5' lon='5'/></rte></gpx>",
         "A & B东中,31.5°,122.5°\n"},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?><gpx:gpx><gpx:wpt lat='-0.000' "
         "lon='-180'><gpx:name>\"q\",\nr</gpx:name></gpx:wpt><wpt lat='.5' lon='7.'/><wpt "
         "lat='-.25' lon='0'/></gpx:gpx>",
         "\"\"\"q\"\", r\",0°,-180°\n,0.5°,7°\n,-0.25°,0°\n"},
        // A name deeper down is an extension's, not the point's; markup in comments and CDATA is
        // text, and a > inside an attribute does not end the tag.
        {"<gpx><!-- <wpt lat='9' lon='9'/> --><wpt lat='1' lon='2' note='a>b'><extensions><name>x"
         "</name></extensions><name><![CDATA[<y>]]></name></wpt></gpx>",
         "<y>,1°,2°\n"},
        {"<gpx><wpt lat='90.5' lon='0'/></gpx>",
         "GPX 文件第 1 行的 <wpt> 的 lat 属性“90.5”不是 -90 到 90 之间的度数"},
        {"<gpx>\n<rte><rtept lat='1e1' lon='0'/></rte></gpx>", "GPX 文件第 2 行的 <rtept> 的 lat"},
        {"<gpx><wpt lat='1' lon='1.2.3'/></gpx>", "GPX 文件第 1 行的 <wpt> 的 lon"},
        // A point without one of lat and lon is a waypoint whose route tells what it lacks.
        {"<gpx><wpt lon='1'><name>B</name></wpt></gpx>", "B,,1°\n"},
        {"<gpx><wpt/></gpx>", "GPX 文件第 1 行的 <wpt> 缺少 lat 属性"},
        {"<gpx>\n<wpt lat='1' lon='2'", "GPX 文件第 2 行的标记没有“>”结束"},
        {"<gpx>\n\n<!-- <wpt", "GPX 文件第 3 行的“<!--”没有结束"},
        {"<gpx>\n<wpt lat='1' lon='0'><name>\xB6\xAB</name></wpt></gpx>",
         "GPX 文件第 2 行不是 UTF-8 文本"},
        {"<?xml version='1.0' encoding='GB2312'?><gpx/>", "GPX 文件声明的编码是“GB2312”"},
        {"<gpx><trk><trkpt lat='1' lon='1'/></trk></gpx>", "GPX 文件中没有航线点"},
        {"name,lat,lon\nA,1,2\n", "这不是 GPX 文件"},
    };
    for (const auto& row : rows) {
        const auto read = waypointsFromGpx(row.gpx);
        const std::string got = read ? waypointLines(read.value().waypoints) : read.error();
        const std::string wanted = read ? std::string{"名称,纬度,经度\n"} + row.read : row.read;
        EXPECT_EQ(got.substr(0, wanted.size()), wanted) << row.gpx;
        EXPECT_EQ(read && got.size() != wanted.size(), false) << got;
    }
}

}  // namespace
}  // namespace orvanto::passage
