// The navigation library over NumPy arrays: rhumb lines, great circles with their vertices, dead
// reckoning, a great circle's waypoints (分点) and the radar plot's CPA, each case in decimal
// degrees (north and east positive), nautical miles and knots. The Python side broadcasts the
// arguments and hands over one-dimensional contiguous float64 arrays of one length; each function
// is one loop with the GIL released. A case with no answer has NaN in every number and says why
// in `message` ('' where there is an answer).
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>

namespace orvanto::python {

namespace py = pybind11;

using Values = py::array_t<double, py::array::c_style>;

// course, nmi, km, message: along the rhumb line on WGS-84.
py::dict rhumb(const Values& lat1, const Values& lon1, const Values& lat2, const Values& lon2);

// course_initial, course_final, nmi, km, vertex_lat, vertex_lon, message: along the geodesic on
// WGS-84, the vertex the one ahead (NaN where there is none: along a meridian or the equator).
py::dict greatCircle(const Values& lat1, const Values& lon1, const Values& lat2,
                     const Values& lon2);

// lat, lon, course_final, message: from each start on each course (true) for so many nautical
// miles, along the rhumb line or the great circle, on WGS-84 or by the textbook's methods.
py::dict reckon(const Values& lat, const Values& lon, const Values& course, const Values& nmi,
                bool greatCircle, bool textbook);

// The 分点 of every leg, `every` read as route's --every: (leg, lat, lon) arrays, the legs' ends
// not included. ValueError naming the leg (from 0) that has none to give.
py::tuple waypoints(const Values& lat1, const Values& lon1, const Values& lat2, const Values& lon2,
                    const std::string& every, bool textbook);

// dcpa, tcpa_min, bcr, bct_min, message: a target seen at a true bearing and range (nautical miles)
// moving on its own course and speed (AIS), own ship on its course and speed, on the plotting
// sheet. TCPA is negative for a target drawing away, NaN without relative motion; BCR is negative
// for a crossing astern, and BCR and BCT are NaN for a target that does not cross.
py::dict closestApproach(const Values& ownCourse, const Values& ownSpeed,
                         const Values& targetBearing, const Values& targetRange,
                         const Values& targetCourse, const Values& targetSpeed);

}  // namespace orvanto::python
