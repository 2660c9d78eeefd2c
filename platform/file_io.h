#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lanxi {

inline constexpr size_t kDefaultReadLimit = 256u * 1024 * 1024;

// The whole file as bytes; nullopt when it is not a regular file, cannot be read or holds
// more than maxBytes.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         size_t maxBytes = kDefaultReadLimit);

// Writes through a temporary file in the same folder and renames it over the target, so a
// crash leaves either the old or the new file, never half of one. Creates missing folders.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace lanxi
