// The encodings batch and route are asked to read and write in (--encoding, --output-encoding).
#pragma once

namespace orvanto::cli {

// The input's encoding; `auto` looks at the file (gbk, gb2312 and cp936 are read as GB18030, which
// covers them; utf-16 is little- or big-endian by its byte order mark).
enum class Encoding { Auto, Utf8, Gb18030, Utf16 };
// The output's; by default the input's, its byte order mark kept (UTF-8 on a terminal). utf-16 is
// little-endian with a byte order mark.
enum class OutputEncoding { Input, Utf8, Utf8Bom, Gb18030, Utf16 };

}  // namespace orvanto::cli
