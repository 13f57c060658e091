#include "cli/system_error.h"

#include <cerrno>
#include <cstring>

namespace orvanto::cli {

std::string systemErrorText(int error) {
    switch (error) {
        case ENOENT:
            return "找不到文件";
        case EACCES:
        case EPERM:
            return "没有权限";
        case ENOSPC:
        case EDQUOT:
            return "磁盘已满";
        case EISDIR:
            return "是一个目录";
        case EROFS:
            return "只读文件系统";
        case EIO:
            return "读写错误";
        default:
            return std::string{"系统错误（"} + std::strerror(error) + "）";
    }
}

std::string systemErrorMessage(std::string_view what, std::string_view quotedPath, int error) {
    return std::string{what} + std::string{quotedPath} + "：" + systemErrorText(error);
}

}  // namespace orvanto::cli
