// Why a route's row could not be computed in full: a kind, the waypoint it concerns and what was
// typed, worded only when the table is written, so that each front end numbers the lines as its
// user sees them (the page counts its box's own lines) and names its own way of choosing 分 or 秒.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "navigation/sailing_problem.h"
#include "passage/route_waypoints.h"

namespace orvanto::passage {

struct RowProblem {
    enum class Kind {
        Record,  // the waypoint's record cannot be read: `detail` says why
        Mode,    // its mode field names no mode: `detail` as typed
        Missing,  // it lacks its latitude or longitude: `detail` "纬度", "经度" or "纬度和经度"
        Entry,        // an entry does not read: `detail` the calculator's message, as of 点Ⅰ
        Speed,        // its speed field does not read: `detail` says why
        LegField,     // its leg field names no sailing: `detail` says why
        BeyondLimit,  // it lies beyond the limiting latitude `limit`
        Sailing,      // the great circle cannot be sailed as asked: `sailing`
        NotFinite,    // the leg's distance or course is no number
        GreatCircle,  // a great circle sailed whole has no course to steer in a current
        Steering,     // no course to steer keeps the track in the current: `steering`
        LateArrival,  // the arrival would fall after 9999-12-31
    };
    Kind kind = Kind::Record;
    std::size_t waypoint = 0;  // its index among the route's, for those about a waypoint
    std::size_t leg = 0;       // the leg, counted from 1
    std::string detail;
    double limit = 0;
    navigation::SailingProblem sailing{};
    navigation::SteeringProblem steering{};

    // A problem of its kind about the leg, or about the waypoint.
    static RowProblem ofLeg(Kind kind, std::size_t leg) {
        RowProblem problem;
        problem.kind = kind;
        problem.leg = leg;
        return problem;
    }
    static RowProblem ofWaypoint(Kind kind, std::size_t waypoint, std::string detail = {}) {
        RowProblem problem;
        problem.kind = kind;
        problem.waypoint = waypoint;
        problem.detail = std::move(detail);
        return problem;
    }
};

// How a front end speaks of what the problems concern.
struct ProblemWording {
    // Taken from every waypoint's line: the lines a front end put in front of its user's own.
    std::size_t lineOffset = 0;
    // Where a waypoint's mode comes from when its field is empty ("--seconds 的设定").
    std::string_view defaultMode;
};

// "航点“B”（第 3 行）": how every message of a route calls a waypoint.
std::string waypointName(const Waypoint& waypoint, const ProblemWording& wording);

// The problem in the user's words, naming the waypoint and its line.
std::string problemText(const RowProblem& problem, std::span<const Waypoint> waypoints,
                        const ProblemWording& wording);

}  // namespace orvanto::passage
