// The texts the commands show the user: the incomplete-entry message and the reports of why a
// command stopped. The user reads them in a message box, or on standard error from the command
// line.
#pragma once

#include <string>
#include <string_view>

#include "entry_decoding.h"
#include "window_services.h"

namespace orvanto {

inline constexpr std::string_view kIncompleteEntryMessage = "请输入完整的经纬信息！";
inline constexpr std::string_view kIncompleteEntryTitle = "提示";
inline constexpr std::string_view kFailureTitle = "错误";

// The name of an entry or result box as the window labels it: "点Ⅰ纬度", "参考点经度", "公里", ….
std::string_view boxName(TextBox box);

// The point an entry box belongs to: "点Ⅰ", "点Ⅱ" or "参考点".
std::string_view pointName(TextBox entryBox);

// Why an entry could not be decoded, naming the box and the text as typed (shortened when long).
std::string entryFailureMessage(TextBox box, std::string_view text, EntryMode mode,
                                FailureKind kind);

std::string arithmeticFaultMessage();

// Two points for which the distance has no result: the estimate only reaches about 114.6 degrees
// of arc. `purpose` is what could not be computed: "距离" or "夹角".
std::string pointsTooFarApartMessage(TextBox firstPointEntry, TextBox secondPointEntry,
                                     std::string_view purpose);

// Why no angle matched the cosine at the reference point.
std::string angleNotDeterminableMessage(double cosine, double point1ToReferenceKm,
                                        double referenceToPoint2Km);

}  // namespace orvanto
