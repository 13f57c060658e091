#include "cli/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "batch/input_output_error.h"
#include "cli/system_error.h"
#include "text/expected.h"

namespace orvanto::cli {

using batch::InputOutputError;

namespace {

constexpr int kMostLinks = 40;            // as the kernel's own limit on a path's symbolic links
constexpr std::size_t kRandomLength = 6;  // as mkostemp's XXXXXX
constexpr int kMostAttempts = 100;

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
    for (const int signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP}) {
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
std::optional<int> namedDescriptor(const std::string& path) {
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
    return std::nullopt;
}

bool sameFile(const struct stat& one, const struct stat& other) {
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Whether `path` still names the open file `fd`.
bool namesFile(const std::string& path, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &opened) == 0 &&
           sameFile(named, opened);
}

std::string randomName(const std::string& prefix) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick{0, kLetters.size() - 1};
    std::string name = prefix;
    for (std::size_t i = 0; i < kRandomLength; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

// A named temporary file, locked, where the file system has no unnamed ones. It is created before
// it can be locked, and a run cleaning up in between takes it for abandoned and removes it: then
// this run finds its lock taken or its name gone and makes another.
Expected<int, SystemError> createLockedTemporary(const std::string& prefix, std::string& path) {
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        std::string pattern = prefix + std::string(kRandomLength, 'X');
        // mkostemp creates the file exclusively (O_EXCL), readable and writable by its owner only
        // until its permissions are set.
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) {
            return unexpected(SystemError{errno});
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesFile(pattern, fd)) {
            path = std::move(pattern);
            return fd;
        }
        ::close(fd);
    }
    return unexpected(SystemError{EEXIST});
}

// Removes the target's temporary files that no live run holds locked: those of runs killed before
// they could remove their own (SIGKILL, a power loss), however they were made.
void removeAbandoned(const std::string& folder, std::string_view namePrefix) {
    DIR* const dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* const entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(namePrefix) || name.size() != namePrefix.size() + kRandomLength) {
            continue;
        }
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat opened {};
        struct stat named {};
        // Locked, it is still the file of that name: a run that lost it in between makes another.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            S_ISREG(opened.st_mode) &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            sameFile(opened, named)) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
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
    if (const auto named = namedDescriptor(path); named && ::fcntl(*named, F_GETFD) != -1) {
        fd_ = *named;
        return;
    }
    struct stat input {};
    struct stat output {};
    const bool exists = ::stat(path.c_str(), &output) == 0;
    if (exists && ::fstat(inputFd, &input) == 0 && sameFile(input, output)) {
        throw InputOutputError("输出文件“" + path +
                               "”就是输入文件，写入会毁掉输入；请另选输出文件");
    }
    // Under /dev and /proc a name stands for something other than a plain file, even when it
    // leads to one.
    const bool special = path.starts_with("/dev/") || path.starts_with("/proc/");
    if (!special && (!exists || S_ISREG(output.st_mode))) {
        // A file the user may not write stays refused, though the folder would let a new one
        // take its place.
        if (exists && ::access(path.c_str(), W_OK) != 0) {
            throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
        }
        openTemporary(followLinks(path));
        if (::fchmod(fd_, exists ? output.st_mode & 07777 : newFileMode()) != 0) {
            throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
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
        throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
    }
    ownsFd_ = true;
}

// The output is written unnamed where the file system allows (O_TMPFILE): a run killed outright
// then leaves nothing, and a name is given only once the output is complete. Either way the file is
// locked for the run's life, so that the next run into the same target knows which temporary
// files no live run owns.
void OutputFile::openTemporary(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string namePrefix =
        "." + target.substr(slash == std::string::npos ? 0 : slash + 1) + ".orvanto-";
    prefix_ = folder + namePrefix;
    // An unnamed file is named through /proc (linkat with AT_EMPTY_PATH would need a privilege).
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    }
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_EX);  // nobody else can open it yet
        unnamed_ = true;
    } else {
        const auto created = createLockedTemporary(prefix_, temporary_);
        if (!created) {
            throw InputOutputError(systemErrorMessage("无法在输出文件所在的文件夹中写入", name_,
                                                      created.error().code));
        }
        fd_ = created.value();
    }
    ownsFd_ = true;
    target_ = target;
    if (!temporary_.empty()) {
        armCleanup(temporary_);
    }
    removeAbandoned(folder.empty() ? "." : folder, namePrefix);
}

// Gives the complete unnamed file a temporary name beside the target, for the rename.
void OutputFile::nameUnnamed() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0;; ++attempt) {
        std::string name = randomName(prefix_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = std::move(name);
            armCleanup(temporary_);
            unnamed_ = false;
            return;
        }
        if (errno != EEXIST || attempt == kMostAttempts) {
            throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
        }
    }
}

void OutputFile::commit() {
    if (!ownsFd_) {
        return;
    }
    if (target_.empty()) {
        ownsFd_ = false;
        if (::close(fd_) != 0) {
            throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
        }
        return;
    }
    if (::fsync(fd_) != 0) {
        throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
    }
    if (unnamed_) {
        nameUnnamed();
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        throw InputOutputError(systemErrorMessage("无法写入输出文件", name_, errno));
    }
    gTemporaryArmed = 0;
    temporary_.clear();
    // Closed only now: the lock kept the named file from passing for abandoned up to the rename.
    // What close could report, fsync has.
    ownsFd_ = false;
    ::close(fd_);
}

OutputFile::~OutputFile() {
    // Removed while still locked, so that no other run takes it for abandoned meanwhile.
    if (!temporary_.empty()) {
        gTemporaryArmed = 0;
        ::unlink(temporary_.c_str());
    }
    if (ownsFd_) {
        ::close(fd_);
    }
}

}  // namespace orvanto::cli
