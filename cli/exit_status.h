// orvanto-cli's exit statuses, the same for every command.
#pragma once

namespace orvanto::cli {

inline constexpr int kExitSuccess = 0;
// A message instead of a result;
inline constexpr int kExitMessage = 1;
// for a file, some of its rows (legs) that could not be computed.
inline constexpr int kExitRowErrors = kExitMessage;
// A usage error, or a file that could not be read or written.
inline constexpr int kExitFailure = 2;

}  // namespace orvanto::cli
