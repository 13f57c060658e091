// The calculator's texts are UTF-8 in standard strings; the widgets take QStrings.
#pragma once

#include <QString>
#include <string_view>

namespace orvanto {

inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace orvanto
