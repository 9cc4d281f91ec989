#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxReadableFileSize)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    // The file may have grown since its size was taken: read the rest, within the limit.
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxReadableFileSize)
            return std::nullopt;
    }
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
    static std::atomic<unsigned> counter{0};
    int fd = -1;
    fs::path temp;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                         std::to_string(counter.fetch_add(1)));
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
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

}  // namespace platform
