// A failed system call told in the user's words: what could not be done, the path in quotes, and
// why, in Chinese.
#pragma once

#include <string>
#include <string_view>

namespace orvanto::cli {

// A system call's failure carried to where it is told: its errno, read right after the call.
struct SystemError {
    int code;
};

// Why, for an errno value: 找不到文件, 没有权限, 磁盘已满, 是一个目录, 只读文件系统, 读写错误, or
// 系统错误 with the system's own text in parentheses.
std::string systemErrorText(int error);

// "无法打开输入文件“a.csv”：找不到文件" from ("无法打开输入文件", "“a.csv”", ENOENT).
std::string systemErrorMessage(std::string_view what, std::string_view quotedPath, int error);

}  // namespace orvanto::cli
