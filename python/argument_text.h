// How the module words an argument whose text does not read: in the command line's words for what
// it may be, under the keyword's own name.
#pragma once

#include <string>
#include <string_view>

#include "text/printable.h"

namespace orvanto::python {

inline std::string unreadable(std::string_view argument, std::string_view forms,
                              const std::string& text) {
    return std::string{argument} + " 须是" + std::string{forms} + "，不认识“" + printable(text) +
           "”";
}

}  // namespace orvanto::python
