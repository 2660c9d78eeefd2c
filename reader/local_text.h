#pragma once
// Local .txt novels: the whole file converted to full-width characters, shown in pages of
// 20000 bytes. Positions are byte offsets into the converted text.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lanxi {

inline constexpr long long kLocalPageSize = 20000;

// The file's bytes up to the first NUL, converted with toFullWidth; nothing when unreadable.
std::optional<std::string> ReadLocalText(const std::filesystem::path& path);
// The same, empty when unreadable.
std::string LoadLocalText(const std::filesystem::path& path);

enum class PageDirection { First = 0, Next = 1, Previous = 2 };

struct LocalPage {
    std::string text;       // the page, never starting or ending inside a two-byte character
    long long position = 0; // byte offset just after the page (kept in the 读取 tag)
    long long page = 0;     // 1-based page number: position / 20000
    long long pageCount = 0;
};

// The page to show. `savedPosition` is the settings value "<length>|<position>", used only
// when its length equals the text's; `currentPosition` (the 读取 tag) is used when
// fromCurrent is set.
LocalPage ComputeLocalPage(std::string_view text, PageDirection direction, bool fromCurrent,
                           std::string_view savedPosition, std::string_view currentPosition);

} // namespace lanxi
