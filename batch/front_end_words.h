// How a front end tells its user what to change, so that batch's messages name that front end's
// own controls: the command line's --encoding=gb18030 and --seconds, the page's 文件编码 list and
// 默认按“秒”格式读取 boxes, Python's seconds=.
#pragma once

#include <string>
#include <string_view>

namespace orvanto::batch {

struct FrontEndWords {
    // What to do to read the file in an encoding ("utf-16", "gb18030"), to put after 请:
    // "加上 --encoding=utf-16 ". Empty where the front end reads every encoding itself.
    std::string (*readAs)(std::string_view encoding) = nullptr;
    // Where a point's mode comes from when its mode field is empty, after 留空则按:
    // " --seconds 的设定".
    std::string_view defaultMode;
};

}  // namespace orvanto::batch
