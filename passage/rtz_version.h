// The versions of RTZ, IEC 61174's route exchange format, that routes are written in.
#pragma once

namespace orvanto::passage {

enum class RtzVersion {
    Rtz10,  // http://www.cirm.org/RTZ/1/0, whose schedule element is spelled sheduleElement
    Rtz11,  // http://www.cirm.org/RTZ/1/1, scheduleElement
};

}  // namespace orvanto::passage
