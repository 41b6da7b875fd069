#include "map/AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "map/WriteFailure.h"

namespace {

// Links followed before a chain is taken for a loop, as the kernel does.
constexpr int MostLinks = 40;

// The file that `path` leads to once every symbolic link of its last part
// is followed; a dangling link leads to the file it names, to be created.
// Returns a system error number, 0 when the target is known.
int followLinks(const std::string &path, std::string &target)
{
    target = path;
    for (int hop = 0; hop < MostLinks; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno; // a new file, or a folder missing (said when opening)
        if (!S_ISLNK(info.st_mode))
            return 0;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            return errno;
        link.resize(static_cast<size_t>(length));
        if (link.empty())
            return ENOENT;
        if (link[0] != '/') {
            const size_t slash = target.rfind('/');
            if (slash != std::string::npos)
                link = target.substr(0, slash + 1) + link;
        }
        target = link;
    }
    return ELOOP;
}

std::string folderOf(const std::string &file)
{
    const size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

std::string nameOf(const std::string &file)
{
    const size_t slash = file.rfind('/');
    return slash == std::string::npos ? file : file.substr(slash + 1);
}

bool allDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// The process that made a temporary file ".NAME.tmpPID-N", or 0 when the
// name is not one of ours.
pid_t temporaryOwner(std::string_view name)
{
    const size_t tmp = name.rfind(".tmp");
    if (name.size() < 2 || name[0] != '.' || tmp == std::string_view::npos || tmp == 0)
        return 0;
    const std::string_view tail = name.substr(tmp + 4);
    const size_t dash = tail.find('-');
    if (dash == std::string_view::npos || !allDigits(tail.substr(0, dash)) || !allDigits(tail.substr(dash + 1))
        || dash > 9)
        return 0;
    return static_cast<pid_t>(std::stol(std::string(tail.substr(0, dash))));
}

// Temporary files of ours whose program died before renaming them (killed,
// or the machine stopped). Files of a program still running are left alone,
// and so are other users' files.
void removeStaleTemporaries(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const pid_t owner = temporaryOwner(entry->d_name);
        if (owner <= 0 || owner == ::getpid())
            continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
            && info.st_uid == ::geteuid())
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

std::string temporaryName(const std::string &folder, const std::string &target)
{
    static std::atomic<unsigned> counter{0};
    return folder + "/." + nameOf(target) + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool writeAll(int fd, const char *data, size_t size, int &error)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string path)
    : path_(std::move(path))
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    cancel();
}

bool AtomicFileWriter::fail(int error)
{
    if (!failed_) {
        failed_ = true;
        error_ = error != 0 ? error : EIO;
    }
    cancel();
    return false;
}

bool AtomicFileWriter::open(uint64_t expectedSize)
{
    if (const int error = followLinks(path_, target_))
        return fail(error);
    folder_ = folderOf(target_);
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0) {
        // A folder or a device in the file's place is not replaced.
        if (S_ISDIR(existing.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(existing.st_mode))
            return fail(ENXIO);
        existed_ = true;
    }
    // Replacing the file through a rename would go around its read-only
    // flag; whoever set it meant the file to stay as it is.
    if (existed_ && ::access(target_.c_str(), W_OK) != 0)
        return fail(errno);
    if (!withinFileSizeLimit(expectedSize))
        return fail(EFBIG);

    removeStaleTemporaries(folder_);
    // An unnamed file is given its name through /proc; without it (some
    // containers) the file would be written and then could not be kept.
    if (::access("/proc/self/fd", X_OK) == 0)
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    else
        errno = EOPNOTSUPP;
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // A file system without unnamed files: a hidden name beside the target.
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            temporary_ = temporaryName(folder_, target_);
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            temporary_.clear();
    }
    if (fd_ < 0)
        return fail(errno);
    if (existed_) {
        // Root saving someone else's file gives the new file back to its
        // owner; anyone else can only save files that become theirs anyway.
        if (::geteuid() == 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd_, existing.st_uid, existing.st_gid);
        }
        ::fchmod(fd_, existing.st_mode & 07777);
    }
    return true;
}

bool AtomicFileWriter::write(const char *bytes, size_t size)
{
    if (failed_ || fd_ < 0)
        return false;
    // A file whose size was not known at open() (a compressed picture) is
    // held to the limit here, before the byte that would cost a SIGXFSZ.
    if (!withinFileSizeLimit(written_ + size))
        return fail(EFBIG);
    int error = 0;
    if (!writeAll(fd_, bytes, size, error))
        return fail(error);
    written_ += size;
    return true;
}

bool AtomicFileWriter::linkIntoFolder()
{
    // An unnamed file gets a name only now, complete and on disk; a kill
    // between this and the rename leaves a name the next save removes.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = temporaryName(folder_, target_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) {
            const int error = errno;
            temporary_.clear();
            return fail(error);
        }
    }
    temporary_.clear();
    return fail(EEXIST);
}

bool AtomicFileWriter::commit()
{
    if (failed_ || fd_ < 0)
        return false;
    if (::fsync(fd_) != 0)
        return fail(errno);
    if (temporary_.empty() && !linkIntoFolder())
        return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    return true;
}

void AtomicFileWriter::cancel()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

std::string AtomicFileWriter::failureReason() const
{
    return writeFailureReason(error_) + "." + (existed_ ? ExistingFileKeptNote : "");
}
