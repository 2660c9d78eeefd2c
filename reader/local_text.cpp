#include "reader/local_text.h"

#include "platform/file_io.h"
#include "text/gbk_text.h"

namespace lanxi {

std::optional<std::string> ReadLocalText(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return gbk::toFullWidth(gbk::untilNul(*bytes));
}

std::string LoadLocalText(const std::filesystem::path& path) {
    return ReadLocalText(path).value_or(std::string());
}

LocalPage ComputeLocalPage(std::string_view text, PageDirection direction, bool fromCurrent,
                           std::string_view savedPosition, std::string_view currentPosition) {
    const long long length = gbk::length(text);
    long long pos = 0;
    std::vector<std::string> saved = gbk::split(savedPosition, "|");
    if (saved.size() >= 2 && gbk::integer(saved[0]) == length) {
        pos = gbk::integer(saved[1]) - kLocalPageSize;
    }
    if (fromCurrent) {
        pos = gbk::integer(currentPosition);
    }
    if (direction == PageDirection::Previous) {
        pos -= 2 * kLocalPageSize;
    }

    LocalPage page;
    if (pos >= 0 && pos < length) {
        // A character cut by a page edge is shown whole on the page where it starts.
        size_t begin = static_cast<size_t>(pos);
        size_t end = static_cast<size_t>(std::min(pos + kLocalPageSize, length));
        if (!gbk::isCharacterStart(text, begin)) {
            ++begin;
        }
        if (!gbk::isCharacterStart(text, end)) {
            ++end;
        }
        if (begin < end) {
            page.text = std::string(text.substr(begin, end - begin));
        }
    }
    pos += kLocalPageSize;
    page.position = pos;
    page.page = pos / kLocalPageSize;
    page.pageCount = (length + kLocalPageSize - 1) / kLocalPageSize;
    return page;
}

} // namespace lanxi
