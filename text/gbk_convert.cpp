#include "text/gbk_convert.h"

#include <cerrno>
#include <iconv.h>

namespace lanxi {
namespace {

// One descriptor per thread and direction: iconv_t is not safe to share between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on an invalid or unconvertible sequence writes `replacement` and skips
    // `skip(in)` bytes.
    template <typename Skip>
    std::string convert(std::string_view in, std::string_view replacement, Skip skip) const {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 2 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t written = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + written;
            size_t dstLeft = out.size() - written;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            written = out.size() - dstLeft;
            if (r != static_cast<size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL (truncated sequence at the end).
            if (out.size() - written < replacement.size()) {
                out.resize(out.size() * 2 + replacement.size());
            }
            out.replace(written, replacement.size(), replacement);
            written += replacement.size();
            size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
            src += n;
            srcLeft -= n;
        }
        out.resize(written);
        return out;
    }

private:
    iconv_t cd_;
};

size_t utf8SequenceLength(std::string_view s) {
    auto b = static_cast<unsigned char>(s[0]);
    size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    // A broken sequence is skipped one byte at a time so the next character survives.
    for (size_t i = 1; i < n; ++i) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return n;
}

} // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    thread_local const Converter converter("GBK", "UTF-8");
    return converter.convert(utf8, "?", utf8SequenceLength);
}

std::string GbkToUtf8(std::string_view gbk) {
    thread_local const Converter converter("UTF-8", "GBK");
    return converter.convert(gbk, "\xEF\xBF\xBD", [](std::string_view) -> size_t { return 1; });
}

} // namespace lanxi
