// What one run of orvanto-cli is asked to do, as its command line gave it (cli_arguments.h reads
// it, options.h lists the commands and options).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculation.h"
#include "calculator/decimal_text.h"
#include "cli/encodings.h"
#include "navigation/position_lines.h"
#include "navigation/sailing_method.h"
#include "passage/course_report.h"
#include "passage/fix_observations.h"
#include "passage/nmea_writer.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/rtz_version.h"
#include "passage/table_format.h"
#include "passage/target_plot.h"
#include "passage/zone_time.h"

namespace orvanto::cli {

enum class Action { Help, Version, Distance, Angle, Batch, Course, Route, Reckon, Cpa, Fix, Range };

// The file batch reads and writes, and the waypoint file route reads, with their encodings; the
// files route reads and writes besides.
struct FileOptions {
    std::string inputPath = "-";    // "-" is standard input
    std::string outputPath = "-";   // "-" is standard output
    std::string deviationCardPath;  // route --deviation-card; empty: none
    std::string gpxPath;            // empty: no GPX file
    std::string geojsonPath;        // empty: no GeoJSON file
    std::string rtzPath;            // empty: no RTZ file
    std::string nmeaPath;           // empty: no NMEA file
    Encoding encoding = Encoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Input;
};

// fix's observations as typed, in the order given, and its run and dead reckoning; range's heights
// and ranges (metres, nautical miles).
struct FixOptions {
    struct Typed {
        navigation::PositionLineKind kind;
        std::string_view option;  // "--bearing"
        std::string_view text;
    };
    std::vector<Typed> observations;
    std::optional<std::string_view> run;
    std::optional<std::string_view> deadReckoning;
    std::optional<double> eye;
    std::optional<double> object;
    std::optional<double> charted;
    std::optional<double> luminous;
    // As checked: the lines, their bearings true and each transferred to the last observation.
    std::vector<passage::ReadObservation> read;
    std::optional<ChartPoint> readDeadReckoning;
    std::string time;  // of the fix: the last observation's, empty without times
};

struct Request {
    Action action = Action::Help;
    // COMMAND --help: the command whose help alone is shown; empty for all of it.
    std::string_view helpCommand;
    // The entries in box order and the points' modes: distance reads points 1 and 2, angle all
    // three, course points 1 and 2, reckon point 1; batch takes the modes as the default of rows
    // that name none.
    CalculatorInput input;
    // reckon's operands after the position: the course, and the distance when it is given.
    std::optional<navigation::TypedCourse> course;
    std::optional<double> distance;  // nautical miles
    // How distance, angle and batch write their numbers (--format=plain|window); window texts by
    // default for distance and angle, plain numbers for batch.
    NumberStyle numberStyle = NumberStyle::Window;
    // How course and route write their tables (--format=text|csv|tsv, route's html too); unset
    // means text for course, and for route text on a terminal and CSV otherwise.
    std::optional<passage::TableFormat> tableFormat;
    std::optional<double> variation;  // degrees, east positive: adds the magnetic courses
    std::optional<double> deviation;  // degrees, east positive: adds the compass courses
    navigation::SailingMethod method = navigation::SailingMethod::Wgs84;  // --textbook
    bool vertex = false;                                                  // course --vertex
    passage::CourseForm courseForm = passage::CourseForm::Degrees;  // course, reckon --course-form
    bool showWork = false;  // course, reckon, route --show-work: the textbook's worked solutions
    std::optional<double> speed;  // knots
    std::optional<double> hours;  // reckon --hours
    std::optional<navigation::Current> current;
    std::optional<navigation::WaypointStep> every;  // route --every
    std::optional<double> limitLatitude;            // route --limit-latitude
    std::optional<passage::Departure> departure;
    std::vector<std::string> routeColumns;  // route --columns, by their names; empty: all
    passage::EtaZone etaZone;               // route --eta-zone
    FileOptions files;
    passage::RtzVersion rtzVersion = passage::RtzVersion::Rtz10;   // route --rtz-version
    std::size_t nmeaNameLength = passage::kDefaultNmeaNameLength;  // route --nmea-name-length
    bool geodesicColumns = false;                                  // batch --geodesic
    bool courseColumns = false;  // batch --navigation: the columns of course --format=tsv
    bool allSeconds = false;     // route --seconds: waypoints in 秒 unless their mode says
    unsigned jobs = 0;           // batch --jobs: threads computing rows, 0 for every CPU

    // cpa's own ship, target and action, and the courses of --own and --target-motion as typed,
    // for a message about them.
    passage::TargetPlotRequest plot;
    std::string ownMotionText;
    std::string targetMotionText;
    FixOptions fix;
};

}  // namespace orvanto::cli
