// The range of the horizon and of lights for the page's 视距 part of the 定位 section: its boxes
// read as `orvanto-cli range` reads --eye, --object, --charted and --luminous, and the texts it
// prints.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "passage/light_range_report.h"
#include "web/box_values.h"

namespace orvanto {
namespace {

using emscripten::val;
using passage::RangeValue;
using web::BoxProblem;

template <RangeValue Kind>
std::optional<double> readValue(std::string_view text) {
    return passage::readRangeValue(Kind, text);
}

template <RangeValue Kind>
web::BoxValue<double> boxValue(const web::Boxes& boxes, const std::string& id,
                               std::string_view name) {
    return boxes.read(id, name, passage::rangeValueForms(Kind), &readValue<Kind>);
}

// `texts` holds the boxes by id: range-eye, range-object, range-charted, range-luminous. Returns
// {text: what range prints, fields: its --format=tsv fields} or {error, box}.
val lightRange(const val& texts) {
    const web::Boxes boxes{texts};
    const auto eye = boxValue<RangeValue::Eye>(boxes, "range-eye", "眼高（米）");
    const auto object = boxValue<RangeValue::Object>(boxes, "range-object", "物标高度（米）");
    const auto charted = boxValue<RangeValue::Charted>(boxes, "range-charted", "海图射程（海里）");
    const auto luminous =
        boxValue<RangeValue::Luminous>(boxes, "range-luminous", "光力射程（海里）");
    for (const auto* read : {&eye, &object, &charted, &luminous}) {
        if (!*read) {
            return web::problemObject(read->error());
        }
    }
    // The rules of which value needs which, as the command line has them.
    if (!eye.value()) {
        return web::problemObject({"range-eye", "请填写眼高（米）"});
    }
    if (charted.value() && object.value()) {
        return web::problemObject(
            {"range-charted", "海图射程与物标高度只能填其一：海图射程已含灯高"});
    }
    if (luminous.value() && !charted.value() && !object.value()) {
        return web::problemObject({"range-luminous", "光力射程须与海图射程或物标高度同用"});
    }
    const passage::LightRangeRequest request{*eye.value(), object.value(), charted.value(),
                                             luminous.value()};
    val result = val::object();
    result.set("text", passage::lightRangeReport(request, passage::TableFormat::Text));
    result.set("fields",
               web::tsvFields(passage::lightRangeReport(request, passage::TableFormat::Tsv)));
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_light_range) {
    emscripten::function("lightRange", &lightRange);
}

}  // namespace orvanto
