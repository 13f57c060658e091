// How an entry box reads its text: the notation its point is typed in and the coordinate it holds.
// Apart from the decoder, so that whoever only names a mode or an axis need not pull it in.
#pragma once

namespace orvanto {

enum class EntryMode {
    Minutes,  // degrees, minutes and decimal minutes: "4250.0"
    Seconds,  // degrees, minutes and seconds: "421125"
};

// Which coordinate an entry box holds: it decides the designators allowed and the range.
enum class Axis { Latitude, Longitude };

}  // namespace orvanto
