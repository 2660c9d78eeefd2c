#include "platform/file_io.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace lanxi {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.seekg(0);
        in.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    // Unique per process and call, so concurrent writers never share a temporary file.
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) {
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
