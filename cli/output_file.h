// Where a batch run writes, so that a failed or interrupted run never damages what the user has.
//
// A regular file, or one that does not exist yet, is written as a temporary file in the same folder
// (after following symbolic links to the real target), created exclusively with the target's
// permissions, and renamed over the target only once the run has finished and the data is on disk.
// Every failure path, and SIGINT, SIGTERM or SIGHUP, removes the temporary file instead. Two runs
// into one file thus leave one run's complete output. Devices, FIFOs and standard output ("-") are
// written directly.
#pragma once

#include <string>

namespace orvanto::cli {

class OutputFile {
  public:
    // Throws BatchError when the output cannot be created or is the input itself.
    OutputFile(const std::string& path, int inputFd);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    int fd() const { return fd_; }
    // How messages call the output: "标准输出" or the path in quotes.
    const std::string& name() const { return name_; }
    // Puts the output in place: to disk and over the target. Throws BatchError.
    void commit();

  private:
    void openTemporary(const std::string& target);

    std::string name_;
    std::string target_;     // the file renamed over, empty when written directly
    std::string temporary_;  // the file written, until renamed
    int fd_ = -1;
    bool ownsFd_ = false;
};

}  // namespace orvanto::cli
