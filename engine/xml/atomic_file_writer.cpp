#include "engine/xml/atomic_file_writer.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/xml/temporary_file_name.h"

namespace quaverly {

namespace {

namespace fs = std::filesystem;

// More links in a row than this is a loop; opening the path then fails as it should.
constexpr int kMaxLinkSteps = 40;

void SetError(std::string* error, std::string_view what)
{
    if (error)
        *error = std::string(what) + ": " + std::strerror(errno);
}

// Writes everything at `offset`, going on after a partial write or an interrupted call.
bool WriteAll(int fd, std::string_view bytes, off_t offset = -1)
{
    while (!bytes.empty()) {
        const ssize_t written = offset < 0 ? ::write(fd, bytes.data(), bytes.size())
                                           : ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        if (offset >= 0)
            offset += written;
    }
    return true;
}

bool ReadAll(int fd, std::string& bytes)
{
    char chunk[65536];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.append(chunk, static_cast<std::size_t>(n));
        offset += n;
    }
}

// The file a path names once its symbolic links are followed (a link to a file not yet
// made names that file): saving replaces that file, the links stay as they are.
fs::path FollowLinks(fs::path path)
{
    for (int step = 0; step < kMaxLinkSteps; ++step) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            break;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

// A new file beside the target that no one else has: created exclusively, so two saves
// at once never share one.
int CreateTemporary(const fs::path& target, fs::path& temporary)
{
    static std::atomic<unsigned long> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / TemporaryFileName(target.filename().native(), static_cast<long>(::getpid()),
                                               counter.fetch_add(1));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A file with more than one name: renaming would give this name a new file and leave the
// others with the old one, so the file itself is written over. The new bytes are already
// safe in the temporary file (which also proved there is room for them); the old bytes
// are kept in memory, and a failure puts them back.
// When even that fails, `keepCopy` says the temporary file is the one whole document left.
bool WriteInPlace(const fs::path& target, std::string_view bytes, std::string* error, bool& keepCopy)
{
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, "cannot open the file");
        return false;
    }
    std::string old;
    if (!ReadAll(fd, old)) {
        SetError(error, "cannot read the file");
        ::close(fd);
        return false;
    }
    bool ok = WriteAll(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    if (!ok) {
        SetError(error, "cannot write the file");
        // The old length was in place before, so its bytes fit again.
        keepCopy = !(WriteAll(fd, old, 0) && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && ::fsync(fd) == 0);
    }
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot close the file");
        ok = false;
    }
    return ok;
}

}  // namespace

bool AtomicFileWriter::Write(const fs::path& requested, std::string_view bytes, std::string* error)
{
    if (requested.empty() || !requested.has_filename()) {
        if (error)
            *error = "no file name";
        return false;
    }
    const fs::path path = FollowLinks(requested);
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        if (error)
            *error = "the path names a folder";
        return false;
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        if (error)
            *error = "the path names no regular file";
        return false;
    }
    fs::path temporary;
    const int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        SetError(error, "cannot create the file");
        return false;
    }
    // A file written again keeps the permissions it had.
    if (exists)
        ::fchmod(fd, old.st_mode & 07777);

    bool ok = WriteAll(fd, bytes);
    if (!ok)
        SetError(error, "cannot write the file");
    if (ok && ::fsync(fd) != 0) {
        SetError(error, "cannot flush the file");
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot close the file");
        ok = false;
    }
    bool keepCopy = false;
    if (ok && exists && old.st_nlink > 1) {
        ok = WriteInPlace(path, bytes, error, keepCopy);
        if (keepCopy && error)
            *error += "; the document is kept in " + temporary.string();
    } else if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot replace the file");
        ok = false;
    }
    // Gone when it was renamed; otherwise the file itself holds the document.
    if (!keepCopy)
        ::unlink(temporary.c_str());
    return ok;
}

}  // namespace quaverly
