#pragma once
// Cutting text out of pages: marker pairs and the HTML replacement list.
#include <string>
#include <string_view>

namespace lanxi {

// The text after the first `start` up to the first `end` after it. Empty when `end` does not
// follow, when `end` is empty, or when `start` does not occur; an empty `start` means the
// beginning of the text.
std::string ExtractBetween(std::string_view text, std::string_view start, std::string_view end);

struct MarkerPair {
    std::string start;
    std::string end;
};
// Splits a delimiter-pair rule value at "|". A value without "|" gives an empty end marker,
// so the extraction yields empty text and the caller reports its failure.
MarkerPair SplitMarkerPair(std::string_view ruleValue);

// Applies site 0's HTML replacement list (read from its rule file on every call).
std::string ApplyHtmlFilter(std::string_view text);
// Applies the given replacement list: items separated by "|", each "find%&replacement",
// "#换行" standing for a line break; find texts match ignoring ASCII case.
std::string ApplyHtmlFilterList(std::string_view text, std::string_view list);

} // namespace lanxi
