// What each passage value may be, in the words a message uses after "须是" and before the text
// that did not read: the command line names its option in front, the page its box.
#pragma once

#include <string_view>

namespace orvanto::passage {

inline constexpr std::string_view kVariationForms =
    "磁差的度数，西为负、东为正，如 3.5W、W3.5、西3.5、-3.5、2E、2 或 5°30′W";
inline constexpr std::string_view kDeviationForms =
    "自差的度数，西为负、东为正，如 2W、W2、西2、-2、1.5E 或 1°30′E";
inline constexpr std::string_view kSpeedForms = "大于 0、不超过 100 的节数，如 12、12.5 或 12kn";
inline constexpr std::string_view kHoursForms = "0 到 10000 的小时数，如 6.5 或 6:30";
inline constexpr std::string_view kCurrentForms =
    "流向/流速：流去的真方向 0 到 360 度、流速 0 到 20 节，如 045/1.5（斜线也可用全角 ／）";
inline constexpr std::string_view kStepForms =
    "分点的间隔：经度 0.1 到 90 度，写成 5°、5度 或 5deg；或距离 1 到 10000 海里，写成 "
    "300nmi、300海里、500km 或 500公里（只写数字无法分辨是哪一种）";
inline constexpr std::string_view kLimitLatitudeForms =
    "限制纬度：大于 0、小于 90 的度数，不带正负号和南北，如 45、45° 或 45°30′";
inline constexpr std::string_view kDepartureForms =
    "出发时间，写成 年-月-日T时:分（或 年-月-日 时:分），可带 :秒，其后可带时区 Z 或 "
    "+08:00，如 2026-12-08T08:00+08:00、2026-12-08 08:00（不带时区即本机时区）";
inline constexpr std::string_view kCourseForms =
    "0 到 360 的度数，可在后面标 T（真航向，默认）、M（磁航向）或 C（罗航向），如 241、241°T、"
    "236M；真航向也可按象限写作 N 或 S（北、南）、0 到 90 度、E 或 W（东、西），如 S53°26′E、"
    "N45E、S 53 26 E、南53°26′东";
inline constexpr std::string_view kDistanceForms =
    "0 到 20000 海里，可带单位 nmi、海里、km 或 公里，如 300、300nmi、500km";

}  // namespace orvanto::passage
