// The radar plot's readers over any text, and whatever they read through a whole plot: each line
// is a value, the first own ship's course and speed, then observations ("BEARING/RANGE@TIME"), a
// line "ais …" the target's motion, "action …" and "pass …" the alteration asked. A reader gives a
// value within its range or nothing; a plot that its rules allow prints no NaN or infinity, in
// either form.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "passage/plot_values.h"
#include "passage/target_plot.h"
#include "passage/target_plot_report.h"

namespace {

using namespace orvanto::passage;

bool within(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Reads one line into the request, checking each value read.
void readLine(std::string_view line, bool first, TargetPlotRequest& request) {
    const auto motion = [](std::string_view text) {
        const auto read = readMotion(text);
        check(!read ||
              (within(read->course.degrees, 0, 359.9999999) && within(read->speed, 0, 100)));
        return read;
    };
    const auto after = [&](std::string_view word) -> std::optional<std::string_view> {
        if (line.starts_with(word)) {
            return line.substr(word.size());
        }
        return std::nullopt;
    };
    if (first) {
        request.own = motion(line);
    } else if (const auto ais = after("ais ")) {
        request.targetMotion = motion(*ais);
    } else if (const auto action = after("action ")) {
        request.actionClock = readClockTime(*action);
        check(!request.actionClock || within(*request.actionClock, 0, 1440));
    } else if (const auto pass = after("pass ")) {
        request.pass = readPassingDistance(*pass);
        check(!request.pass || within(*request.pass, 0, 50));
    } else if (const auto seen = readObservation(line)) {
        check(within(seen->bearing, 0, 359.9999999) && within(seen->range, 0, 100) &&
              within(seen->minutes, 0, 1440));
        request.observations.push_back(*seen);
    }
}

bool finiteText(const std::string& text) {
    return text.find("nan") == std::string::npos && text.find("inf") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text{reinterpret_cast<const char*>(data), size};
    TargetPlotRequest request;
    for (std::size_t start = 0, index = 0; start <= text.size(); ++index) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        readLine(text.substr(start, end - start), index == 0, request);
        start = end + 1;
    }
    const auto plan = planTargetPlot(request);
    if (plan) {
        check(finiteText(targetPlotReport(plan.value(), {}, TableFormat::Text)));
        check(finiteText(targetPlotReport(plan.value(), {}, TableFormat::Tsv)));
    }
    return 0;
}
