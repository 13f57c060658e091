// The versions of RTZ, IEC 61174's route exchange format, that routes are written in.
#pragma once

namespace orvanto::passage {

enum class RtzVersion {
    V1_0,  // http://www.cirm.org/RTZ/1/0, whose schedule element is spelled sheduleElement
    V1_1,  // http://www.cirm.org/RTZ/1/1, scheduleElement
};

}  // namespace orvanto::passage
