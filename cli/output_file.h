// Where batch writes its rows and route its GPX and GeoJSON files, so that a failed, interrupted or
// killed run never damages what the user has and leaves as little behind as it can.
//
// A regular file, or one that does not exist yet, is written as a temporary file in the same folder
// (after following symbolic links to the real target) with the target's permissions, and renamed
// over the target only once the run has finished and the data is on disk. Where the file system
// allows, the temporary file has no name until then (O_TMPFILE), so that even SIGKILL or a power
// loss leaves nothing; elsewhere it is named .TARGET.orvanto-XXXXXX from the start. Every failure
// path, and SIGINT, SIGQUIT, SIGTERM or SIGHUP, removes a named one. Each run holds its temporary
// file locked (flock) for its life, and removes, when it starts, those of the same target that no
// live run holds: what a run killed outright left. Two runs into one file thus leave one run's
// complete output. Devices, FIFOs and standard output ("-") are written directly.
#pragma once

#include <string>

namespace orvanto::cli {

class OutputFile {
  public:
    // Throws InputOutputError when the output cannot be created or is the input itself.
    OutputFile(const std::string& path, int inputFd);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    int fd() const { return fd_; }
    // How messages call the output: "标准输出" or the path in quotes.
    const std::string& name() const { return name_; }
    // Puts the output in place: to disk and over the target. Throws InputOutputError.
    void commit();

  private:
    void openTemporary(const std::string& target);
    void nameUnnamed();

    std::string name_;
    std::string target_;     // the file renamed over, empty when written directly
    std::string prefix_;     // the temporary files' path but for their last six letters
    std::string temporary_;  // the named file written, until renamed
    int fd_ = -1;
    bool ownsFd_ = false;
    bool unnamed_ = false;  // written as an O_TMPFILE, not yet named
};

}  // namespace orvanto::cli
