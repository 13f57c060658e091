// Reading one entry (the first byte: bit 0 seconds mode, bit 1 a latitude box; the rest the text):
// any text reads as degrees within the axis's range or fails with one of the entry errors.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "notation/entry_errors.h"
#include "notation/entry_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool latitude = (data[0] & 2U) != 0;
    try {
        const double degrees = orvanto::readEntry(
            {reinterpret_cast<const char*>(data) + 1, size - 1},
            (data[0] & 1U) != 0 ? orvanto::EntryMode::Seconds : orvanto::EntryMode::Minutes,
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
