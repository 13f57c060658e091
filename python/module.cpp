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
#include "python/frame_batch.h"
#include "python/navigation_columns.h"
#include "python/numeric_arrays.h"
#include "text/printable.h"

namespace py = pybind11;

namespace {

using orvanto::python::BatchChoices;

// The message for an argument whose text does not read, in the command line's words for what it
// may be.
std::string unreadable(std::string_view argument, std::string_view forms, const std::string& text) {
    return std::string{argument} + " 须是" + std::string{forms} + "，不认识“" +
           orvanto::printable(text) + "”";
}

orvanto::EntryMode modeOf(bool seconds) {
    return seconds ? orvanto::EntryMode::Seconds : orvanto::EntryMode::Minutes;
}

py::tuple batch(const std::vector<std::string>& header, const std::vector<py::array>& columns,
                const py::handle& missing, const std::vector<bool>& seconds, bool plain,
                bool geodesic, bool navigation, const std::optional<std::string>& variation,
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
            throw py::value_error(
                unreadable("variation", orvanto::passage::kVariationForms, *variation));
        }
    }
    if (deviation) {
        choices.deviation = orvanto::python::readDeviationText(*deviation);
        if (!choices.deviation) {
            throw py::value_error(
                unreadable("deviation", orvanto::passage::kDeviationForms, *deviation));
        }
    }
    auto results = orvanto::python::runFrameBatch(header, columns, missing, choices);
    return py::make_tuple(results.width, results.names, results.values);
}

}  // namespace

PYBIND11_MODULE(_orvanto, module) {
    module.doc() = "The compiled half of orvanto: call the functions of the orvanto package.";
    module.attr("__version__") = ORVANTO_VERSION;
    module.def("batch", &batch, py::arg("header"), py::arg("columns"), py::arg("missing"),
               py::arg("seconds"), py::arg("plain"), py::arg("geodesic"), py::arg("navigation"),
               py::arg("variation"), py::arg("deviation"));
    module.def("read_entries", &orvanto::python::readEntries, py::arg("texts"), py::arg("missing"),
               py::arg("seconds"), py::arg("latitude"));
    module.def("distance_km", &orvanto::python::distanceKm, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"));
    module.def("angle_deg", &orvanto::python::angleDeg, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"), py::arg("latr"), py::arg("lonr"));
    module.def("courses", &orvanto::python::courses, py::arg("lat1"), py::arg("lon1"),
               py::arg("lat2"), py::arg("lon2"));
}
