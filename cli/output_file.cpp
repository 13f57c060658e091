#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string_view>
#include <vector>

#include "batch/batch_error.h"
#include "cli/system_error.h"

namespace orvanto::cli {

using batch::BatchError;

namespace {

constexpr int kMostLinks = 40;  // as the kernel's own limit on a path's symbolic links

// The temporary file a signal handler removes: stored before it can be needed, as a fixed buffer,
// because a handler may call only async-signal-safe functions (unlink, signal, raise).
std::array<char, 4096> gTemporaryPath{};
volatile std::sig_atomic_t gTemporaryArmed = 0;

extern "C" void removeTemporaryAndDie(int signal) {
    if (gTemporaryArmed != 0) {
        ::unlink(gTemporaryPath.data());
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void armCleanup(const std::string& path) {
    if (path.size() >= gTemporaryPath.size()) {
        return;
    }
    std::memcpy(gTemporaryPath.data(), path.c_str(), path.size() + 1);
    gTemporaryArmed = 1;
    struct sigaction action {};
    action.sa_handler = removeTemporaryAndDie;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal the shell set to be ignored (a background job's SIGINT) stays ignored.
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

// The file a path finally names, through any symbolic links, so that the rename replaces the
// file and keeps the link.
std::string followLinks(std::string path) {
    for (int links = 0; links < kMostLinks; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::vector<char> target(static_cast<std::size_t>(status.st_size) + 256);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            return path;
        }
        const std::string_view next{target.data(), static_cast<std::size_t>(length)};
        std::string followed = next.starts_with('/') ? std::string{} : folderOf(path);
        followed += next;
        path = std::move(followed);
    }
    return path;
}

// /dev/stdout, /dev/fd/1, /proc/self/fd/1 and the like: the descriptor the program already has,
// written where it stands (a file standard output appends to is neither replaced nor truncated).
int namedDescriptor(const std::string& path) {
    if (path == "/dev/stdout" || path == "/dev/stderr") {
        return path == "/dev/stdout" ? STDOUT_FILENO : STDERR_FILENO;
    }
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.starts_with(folder) && path.size() > folder.size() &&
            path.find_first_not_of("0123456789", folder.size()) == std::string::npos &&
            path.size() - folder.size() < 6) {
            return std::stoi(path.substr(folder.size()));
        }
    }
    return -1;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, int inputFd)
    : name_(path == "-" ? "标准输出" : "“" + path + "”") {
    if (path == "-") {
        fd_ = STDOUT_FILENO;
        return;
    }
    if (const int named = namedDescriptor(path); named >= 0 && ::fcntl(named, F_GETFD) != -1) {
        fd_ = named;
        return;
    }
    struct stat input {};
    struct stat output {};
    const bool exists = ::stat(path.c_str(), &output) == 0;
    if (exists && ::fstat(inputFd, &input) == 0 && input.st_dev == output.st_dev &&
        input.st_ino == output.st_ino) {
        throw BatchError("输出文件“" + path + "”就是输入文件，写入会毁掉输入；请另选输出文件");
    }
    // Under /dev and /proc a name stands for something other than a plain file, even when it
    // leads to one.
    const bool special = path.starts_with("/dev/") || path.starts_with("/proc/");
    if (!special && (!exists || S_ISREG(output.st_mode))) {
        // A file the user may not write stays refused, though the folder would let a new one
        // take its place.
        if (exists && ::access(path.c_str(), W_OK) != 0) {
            throw BatchError(systemErrorMessage("无法写入输出文件", name_, errno));
        }
        openTemporary(followLinks(path));
        if (::fchmod(fd_, exists ? output.st_mode & 07777 : newFileMode()) != 0) {
            throw BatchError(systemErrorMessage("无法写入输出文件", name_, errno));
        }
        if (exists) {
            // Keeps the owner where the user may set it (as root); otherwise the file is the
            // user's own, as any file they write.
            [[maybe_unused]] const int ignored = ::fchown(fd_, output.st_uid, output.st_gid);
        }
        return;
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | (special ? 0 : O_TRUNC) | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        throw BatchError(systemErrorMessage("无法写入输出文件", name_, errno));
    }
    ownsFd_ = true;
}

void OutputFile::openTemporary(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    std::string pattern = folderOf(target) + "." +
                          target.substr(slash == std::string::npos ? 0 : slash + 1) +
                          ".orvanto-XXXXXX";
    // mkostemp creates the file exclusively (O_EXCL), readable and writable by its owner only
    // until its permissions are set.
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        throw BatchError(systemErrorMessage("无法在输出文件所在的文件夹中写入", name_, errno));
    }
    ownsFd_ = true;
    target_ = target;
    temporary_ = pattern;
    armCleanup(temporary_);
}

void OutputFile::commit() {
    if (!ownsFd_) {
        return;
    }
    if ((!temporary_.empty() && ::fsync(fd_) != 0) || ::close(fd_) != 0) {
        fd_ = -1;
        ownsFd_ = false;
        throw BatchError(systemErrorMessage("无法写入输出文件", name_, errno));
    }
    ownsFd_ = false;
    if (!temporary_.empty()) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            throw BatchError(systemErrorMessage("无法写入输出文件", name_, errno));
        }
        gTemporaryArmed = 0;
        temporary_.clear();
    }
}

OutputFile::~OutputFile() {
    if (ownsFd_) {
        ::close(fd_);
    }
    if (!temporary_.empty()) {
        gTemporaryArmed = 0;
        ::unlink(temporary_.c_str());
    }
}

}  // namespace orvanto::cli
