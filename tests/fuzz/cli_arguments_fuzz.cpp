// The command line's parser over any arguments (the bytes cut at NUL): it gives a request or a
// usage problem to show, never anything else, and a request for a command holds its entries.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "cli/cli_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes{reinterpret_cast<const char*>(data), size};
    std::vector<std::string_view> arguments;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    const auto parsed = orvanto::cli::parseArguments(arguments);
    if (!parsed && parsed.error().problem.empty()) {
        std::abort();
    }
    return 0;
}
