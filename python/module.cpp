// orvanto._orvanto: the compiled half of the orvanto package. Its functions take what the Python
// half (orvanto/__init__.py) has checked and shaped: columns of cells as arrays of objects,
// coordinates as contiguous float64 arrays of one length. Users call the Python half.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "passage/value_forms.h"
#include "python/argument_text.h"
#include "python/frame_batch.h"
#include "python/navigation_arrays.h"
#include "python/navigation_columns.h"
#include "python/numeric_arrays.h"
#include "python/route_frame.h"

namespace py = pybind11;

namespace {

using orvanto::python::BatchChoices;

orvanto::EntryMode modeOf(bool seconds) {
    return seconds ? orvanto::EntryMode::Seconds : orvanto::EntryMode::Minutes;
}

BatchChoices batchChoices(const std::vector<bool>& seconds, bool plain, bool geodesic,
                          bool navigation, const std::optional<std::string>& variation,
                          const std::optional<std::string>& deviation) {
    if (seconds.size() != 3) {
        throw py::value_error("seconds：须给出三个点的格式");
    }
    BatchChoices choices;
    choices.modes.point1.mode = modeOf(seconds[0]);
    choices.modes.point2.mode = modeOf(seconds[1]);
    choices.modes.reference.mode = modeOf(seconds[2]);
    choices.style = plain ? orvanto::NumberStyle::Plain : orvanto::NumberStyle::Window;
    choices.geodesic = geodesic;
    choices.navigation = navigation;
    if (variation) {
        choices.variation = orvanto::python::readVariationText(*variation);
        if (!choices.variation) {
            throw py::value_error(orvanto::python::unreadable(
                "variation", orvanto::passage::kVariationForms, *variation));
        }
    }
    if (deviation) {
        choices.deviation = orvanto::python::readDeviationText(*deviation);
        if (!choices.deviation) {
            throw py::value_error(orvanto::python::unreadable(
                "deviation", orvanto::passage::kDeviationForms, *deviation));
        }
    }
    return choices;
}

py::tuple batch(const std::vector<std::string>& header, const std::vector<py::array>& columns,
                const py::handle& missing, const std::vector<bool>& seconds, bool plain,
                bool geodesic, bool navigation, const std::optional<std::string>& variation,
                const std::optional<std::string>& deviation, bool numbers) {
    BatchChoices choices = batchChoices(seconds, plain, geodesic, navigation, variation, deviation);
    choices.numbers = numbers;
    auto results = orvanto::python::runFrameBatch(header, columns, missing, choices);
    return py::make_tuple(results.width, results.names, results.values, results.numbers);
}

std::vector<std::size_t> columnsRead(const std::vector<std::string>& header, bool geodesic,
                                     bool navigation, const std::optional<std::string>& variation,
                                     const std::optional<std::string>& deviation) {
    return orvanto::python::columnsRead(header, batchChoices({false, false, false}, true, geodesic,
                                                             navigation, variation, deviation));
}

py::tuple route(const std::string& waypoints, const orvanto::python::RouteTexts& texts) {
    return orvanto::python::planRoute(waypoints, texts);
}

}  // namespace

PYBIND11_MODULE(_orvanto, module) {
    module.doc() = "The compiled half of orvanto: call the functions of the orvanto package.";
    module.attr("__version__") = ORVANTO_VERSION;
    module.def("batch", &batch, py::arg("header"), py::arg("columns"), py::arg("missing"),
               py::arg("seconds"), py::arg("plain"), py::arg("geodesic"), py::arg("navigation"),
               py::arg("variation"), py::arg("deviation"), py::arg("numbers"));
    module.def("columns_read", &columnsRead, py::arg("header"), py::arg("geodesic"),
               py::arg("navigation"), py::arg("variation"), py::arg("deviation"));
    module.def("read_entries", &orvanto::python::readEntries, py::arg("texts"), py::arg("missing"),
               py::arg("seconds"), py::arg("latitude"));
    module.def("distance_km", &orvanto::python::distanceKm, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"));
    module.def("angle_deg", &orvanto::python::angleDeg, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"), py::arg("latr"), py::arg("lonr"));
    module.def("rhumb", &orvanto::python::rhumb, py::arg("lat1"), py::arg("lon1"), py::arg("lat2"),
               py::arg("lon2"));
    module.def("great_circle", &orvanto::python::greatCircle, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"));
    module.def("reckon", &orvanto::python::reckon, py::arg("lat"), py::arg("lon"),
               py::arg("course"), py::arg("nmi"), py::arg("great_circle"), py::arg("textbook"));
    module.def("waypoints", &orvanto::python::waypoints, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"), py::arg("every"), py::arg("textbook"));
    py::class_<orvanto::python::RouteTexts>(module, "RouteTexts")
        .def(py::init<>())
        .def_readwrite("speed", &orvanto::python::RouteTexts::speed)
        .def_readwrite("depart", &orvanto::python::RouteTexts::depart)
        .def_readwrite("every", &orvanto::python::RouteTexts::every)
        .def_readwrite("limit_latitude", &orvanto::python::RouteTexts::limitLatitude)
        .def_readwrite("current", &orvanto::python::RouteTexts::current)
        .def_readwrite("variation", &orvanto::python::RouteTexts::variation)
        .def_readwrite("deviation", &orvanto::python::RouteTexts::deviation)
        .def_readwrite("deviation_card", &orvanto::python::RouteTexts::deviationCard)
        .def_readwrite("eta_zone", &orvanto::python::RouteTexts::etaZone)
        .def_readwrite("seconds", &orvanto::python::RouteTexts::seconds)
        .def_readwrite("textbook", &orvanto::python::RouteTexts::textbook);
    module.def("route", &route, py::arg("waypoints"), py::arg("texts"));
    module.def("cpa", &orvanto::python::closestApproach, py::arg("own_course"),
               py::arg("own_speed"), py::arg("target_bearing"), py::arg("target_range"),
               py::arg("target_course"), py::arg("target_speed"));
}
