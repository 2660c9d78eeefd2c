#include "app/embedded_page.h"

#include "platform/file_io.h"

#include <array>
#include <cstdint>

namespace lanxi {

namespace embedded {
extern const std::string_view kStartPageCipher;
} // namespace embedded

namespace {
constexpr std::string_view kBuiltInKey = "lanxi-reader/2.41";
} // namespace

std::string DecipherEmbedded(std::string_view block) {
    std::array<std::uint8_t, 256> s{};
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<std::uint8_t>(i);
    }
    for (size_t i = 0, j = 0; i < s.size(); ++i) {
        j = (j + s[i] + static_cast<std::uint8_t>(kBuiltInKey[i % kBuiltInKey.size()])) & 0xFF;
        std::swap(s[i], s[j]);
    }
    std::string out(block);
    for (size_t n = 0, i = 0, j = 0; n < out.size(); ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        out[n] = static_cast<char>(static_cast<std::uint8_t>(out[n]) ^ s[(s[i] + s[j]) & 0xFF]);
    }
    return out;
}

std::string StartPageBytes() {
    return DecipherEmbedded(embedded::kStartPageCipher);
}

bool WriteStartPage(const std::filesystem::path& path) {
    return WriteFileAtomically(path, StartPageBytes());
}

} // namespace lanxi
