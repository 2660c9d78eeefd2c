#include "platform/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lanxi {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, size_t maxBytes) {
    // Only regular files: a folder or a device would report a size that is no size at all.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        return std::nullopt;
    }
    std::string bytes;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size <= maxBytes) {
        bytes.reserve(static_cast<size_t>(size));
    }
    // Read to the end rather than trusting the size, which may change or be zero (/proc).
    char chunk[1 << 16];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
        if (bytes.size() + got > maxBytes) {
            return std::nullopt;
        }
        bytes.append(chunk, got);
    }
    if (std::ferror(f.get())) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    // The replacement keeps the permissions the user gave the file.
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    // Unique per process and call, so concurrent writers never share a temporary file; created
    // exclusively, so nothing someone else put there (a file, a link) is written through.
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path;
        temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    if (replacing) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    {
        std::FILE* f = ::fdopen(fd, "wb");
        if (!f) {
            ::close(fd);
            std::filesystem::remove(temp, ec);
            return false;
        }
        bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = std::fflush(f) == 0 && ok;
        ok = ::fsync(::fileno(f)) == 0 && ok;
        ok = std::fclose(f) == 0 && ok;
        if (!ok) {
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace lanxi
