// The page's boxes for passage planning read with navigation's readers, as the command line reads
// its options: a blank box gives no value, and a text that does not read gives a message that
// names the box, says what it takes and quotes the text.
#pragma once

#include <emscripten/val.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "navigation/compass_error.h"
#include "passage/option_rules.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "text/expected.h"

namespace orvanto::web {

// What is wrong, and the id of the box to fix.
struct BoxProblem {
    std::string box;
    std::string text;
};

template <typename T>
using BoxValue = Expected<std::optional<T>, BoxProblem>;

// The texts by box id, as the page sends them: a blank box is an empty text.
class Boxes {
  public:
    explicit Boxes(emscripten::val texts) : texts_{std::move(texts)} {}

    std::string text(const std::string& id) const;

    // `name` is the box as the user sees it, `forms` what it takes (navigation/value_forms.h).
    template <typename T>
    BoxValue<T> read(const std::string& id, std::string_view name, std::string_view forms,
                     std::optional<T> (*reader)(std::string_view)) const {
        const std::string typed = text(id);
        if (typed.empty()) {
            return std::optional<T>{};
        }
        auto value = reader(typed);
        if (!value) {
            return unexpected(BoxProblem{id, notRead(name, forms, typed)});
        }
        return value;
    }

    // 开航时间: a date no clock shows (30 February, 24:00) says why before what the box takes.
    BoxValue<passage::Departure> departure(const std::string& id) const;

    // The current from its two boxes, each read on its own so that the message names the one
    // that does not read; both or neither must be filled.
    BoxValue<navigation::Current> current(const std::string& setId,
                                          const std::string& driftId) const;

  private:
    static std::string notRead(std::string_view name, std::string_view forms,
                               std::string_view typed);

    emscripten::val texts_;
};

// The 航线 section's 磁差 and 自差 (route-variation, route-deviation) and its card as the compass
// correction of the route, the courses and the reckoning: a deviation or a card needs a variation,
// as --deviation and --deviation-card need --variation, and they do not go together.
Expected<navigation::CompassCorrection, BoxProblem> compassCorrection(const Boxes& boxes);

// The card 自差表… opened (route-deviation-card, its file's text decoded): nothing when none is,
// or what is wrong with it, told at the 自差 box.
Expected<std::optional<navigation::DeviationCard>, BoxProblem> deviationCard(const Boxes& boxes);

// What a rule about a reckoning's course says besides its kind: the course as typed, and whether
// the 磁差 box is filled (a compass course then lacks only its 自差).
struct RuleContext {
    std::string course;
    bool variation = false;
};

// A rule broken, said of the box to fill.
BoxProblem ruleProblem(passage::Rule rule, const RuleContext& context = {});

// The offset from UTC, in minutes east, of the browser's local time at that clock time, its
// daylight saving time included: what a departure written without an offset means here.
int browserOffsetMinutes(const passage::ClockTime& clock);

// {error, box} for the page.
emscripten::val problemObject(const BoxProblem& problem);

// A --format=tsv line split into its fields, as the page shows them each in a box.
emscripten::val tsvFields(const std::string& line);

}  // namespace orvanto::web
