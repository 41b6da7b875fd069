#pragma once
// One file replaced whole or not at all, for every writer of the program
// (maps, pictures, settings). The bytes go to a temporary file in the
// target's folder that takes the target's place only once every byte is
// written and flushed to disk: a failure, a cancel or a kill leaves the old
// file as it was.
//
// The temporary file has no name while it is written where the file system
// allows it, so a killed program leaves nothing behind; elsewhere it is a
// hidden ".NAME.tmpPID-N" beside the target, and the next save in that
// folder removes those whose program is no longer running.
//
// A symbolic link is kept and the file it leads to is written, created if
// the link dangles; a loop of links is refused. An existing target keeps
// its permissions (and its owner when root saves).
#include <cstddef>
#include <cstdint>
#include <string>

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter(); // cancels an uncommitted file
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // Prepares a file of `expectedSize` bytes (0 when unknown), refusing with
    // EFBIG one beyond the file-size limit; write() refuses the bytes beyond
    // it too. False with error() set on failure.
    bool open(uint64_t expectedSize);
    bool write(const char *bytes, size_t size);
    // Flushes and puts the file in the target's place.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // The system error number of the first failure (0 when none).
    int error() const { return error_; }
    const std::string &path() const { return path_; }

    // "le disque est plein" and so on, and the note on the existing file
    // when there is one: the end of a message that names the file.
    std::string failureReason() const;

private:
    bool fail(int error);
    bool linkIntoFolder();

    std::string path_;
    std::string target_; // the file replaced: path_ with its links followed
    std::string folder_;
    std::string temporary_; // named temporary file, empty while unnamed
    int fd_ = -1;
    uint64_t written_ = 0;
    int error_ = 0;
    bool existed_ = false;
    bool failed_ = false;
};
