#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/xml/temporary_file_name.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

FileStamp StampFromStat(const struct stat& st)
{
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = std::int64_t{st.st_ctim.tv_sec} * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}

}  // namespace

std::optional<FileStamp> StampOf(const fs::path& path)
{
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return StampFromStat(st);
}

std::optional<std::string> ReadWholeFile(const fs::path& path)
{
    std::optional<FileStamp> stamp;
    return ReadWholeFile(path, stamp);
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::optional<FileStamp>& stamp)
{
    stamp.reset();
    if (path.empty())
        return std::nullopt;
    // Not blocking: a named pipe in place of the file must not stop the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode) ||
        static_cast<std::uintmax_t>(before.st_size) > kMaxReadableFileSize) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(before.st_size));
    // The file may grow while it is read: read to its end, within the limit.
    char chunk[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
        if (bytes.size() > kMaxReadableFileSize) {
            ok = false;
            break;
        }
    }
    struct stat after {};
    const bool unchanged = ::fstat(fd, &after) == 0 && StampFromStat(before) == StampFromStat(after) &&
                           static_cast<std::uintmax_t>(after.st_size) == bytes.size();
    ::close(fd);
    if (!ok)
        return std::nullopt;
    if (unchanged)
        stamp = StampFromStat(after);
    return bytes;
}

namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const fs::path& requested, std::string_view bytes)
{
    std::optional<FileStamp> written;
    return WriteFileAtomically(requested, bytes, written);
}

bool WriteFileAtomically(const fs::path& requested, std::string_view bytes, std::optional<FileStamp>& written)
{
    written.reset();
    if (requested.empty() || !requested.has_filename())
        return false;
    std::error_code ec;
    fs::path target = requested;
    if (fs::is_symlink(target, ec)) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return false;
    }

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode))
            return false;
        if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return false;
        if (::access(target.c_str(), W_OK) != 0)
            return false;
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    static std::atomic<unsigned long> counter{0};
    int fd = -1;
    fs::path temp;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        // Named as the documents' temporary files are, so a later start knows them.
        temp = folder / quaverly::TemporaryFileName(target.filename().native(), static_cast<long>(::getpid()),
                                                    counter.fetch_add(1));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = WriteAll(fd, bytes);
    if (ok && exists)
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (ok)
        ok = ::fsync(fd) == 0;
    struct stat ours {};
    ok = ok && ::fstat(fd, &ours) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Renaming changes the status time: take the stamp afresh, if the file there is ours.
    struct stat now {};
    if (::stat(target.c_str(), &now) == 0 && now.st_ino == ours.st_ino && now.st_dev == ours.st_dev &&
        static_cast<std::size_t>(now.st_size) == bytes.size())
        written = StampFromStat(now);
    return true;
}

}  // namespace platform
