#pragma once
// Profile-file access on GBK bytes, with the semantics the rule and settings files were
// written for: section and key names match ignoring ASCII case; values lose surrounding
// blanks and one pair of enclosing double quotes and are cut at 10239 bytes; lines without
// "=" are ignored; the first matching section and key win. The file is read fresh on every
// call, because rule files may be edited by hand while the program runs.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lanxi {

constexpr size_t kIniValueLimit = 10239;

std::string IniRead(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view defaultValue);
// The same lookup in file text already read (for several keys from one read).
std::string IniReadText(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view defaultValue);

// Replaces the key's line (or adds the key at the end of its section, or the section at the
// end of the file) and keeps every other byte. New lines end in CR LF. The file is replaced
// atomically. Line breaks inside the value are dropped, since they would split the line.
bool IniWrite(const std::filesystem::path& path, std::string_view section, std::string_view key,
              std::string_view value);

struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
};
// Several writes in order, replacing the file once: all of them land or none does.
bool IniWriteAll(const std::filesystem::path& path, const std::vector<IniEntry>& entries);

} // namespace lanxi
