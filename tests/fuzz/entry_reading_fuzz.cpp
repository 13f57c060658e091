// Reading one entry, in either mode, for either axis: any text reads as degrees within the axis's
// range or fails with one of the entry errors, never anything else.
#include <cmath>
#include <cstdlib>

#include "fuzz_input.h"
#include "geometry/calculation_errors.h"
#include "geometry/entry_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvanto::fuzz::FuzzInput input(data, size);
    const bool latitude = (input.choices >> 1) & 1U;
    try {
        const double degrees =
            orvanto::readEntry(input.text, input.mode(0),
                               latitude ? orvanto::Axis::Latitude : orvanto::Axis::Longitude);
        if (!(std::fabs(degrees) <= (latitude ? 90 : 180))) {
            std::abort();
        }
    } catch (const orvanto::OverflowError&) {
    } catch (const orvanto::TypeMismatchError&) {
    } catch (const orvanto::EntryFormError&) {
    } catch (const orvanto::OutOfRangeError&) {
    }
    return 0;
}
