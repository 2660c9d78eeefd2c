#include "tools/demo_site/gif_image.h"

#include <algorithm>

namespace lanxi::demo {

namespace {

constexpr int kMinCodeSize = 2; // four colours
constexpr unsigned kClearCode = 1u << kMinCodeSize;
constexpr unsigned kEndCode = kClearCode + 1;
constexpr int kCodeBits = kMinCodeSize + 1;

void PutLittle16(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// Packs codes least significant bit first, as GIF wants.
class BitWriter {
public:
    void put(unsigned code) {
        buffer_ |= code << bits_;
        bits_ += kCodeBits;
        while (bits_ >= 8) {
            bytes_ += static_cast<char>(buffer_ & 0xFF);
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    std::string finish() {
        if (bits_ > 0) {
            bytes_ += static_cast<char>(buffer_ & 0xFF);
        }
        return bytes_;
    }

private:
    unsigned buffer_ = 0;
    int bits_ = 0;
    std::string bytes_;
};

// A clear code before each pixel keeps the decoder's table empty, so the code width never
// grows and no decoder can disagree about when it would.
std::string LzwData(const std::vector<std::uint8_t>& pixels) {
    BitWriter writer;
    for (std::uint8_t p : pixels) {
        writer.put(kClearCode);
        writer.put(p & 3u);
    }
    writer.put(kEndCode);
    return writer.finish();
}

void PutSubBlocks(std::string& out, const std::string& data) {
    for (size_t at = 0; at < data.size(); at += 255) {
        size_t n = std::min<size_t>(255, data.size() - at);
        out += static_cast<char>(n);
        out.append(data, at, n);
    }
    out += '\0';
}

Picture Blank(int width, int height, std::array<Rgb, 4> palette) {
    Picture p;
    p.width = width;
    p.height = height;
    p.palette = palette;
    p.pixels.assign(static_cast<size_t>(width * height), 0);
    return p;
}

void FillRect(Picture& p, int x0, int y0, int x1, int y1, std::uint8_t colour) {
    for (int y = y0; y < y1 && y < p.height; ++y) {
        for (int x = x0; x < x1 && x < p.width; ++x) {
            p.pixels[static_cast<size_t>(y * p.width + x)] = colour;
        }
    }
}

} // namespace

std::string EncodeGif(const Picture& picture) {
    std::string out = "GIF89a";
    PutLittle16(out, picture.width);
    PutLittle16(out, picture.height);
    out += static_cast<char>(0x80 | (1 << 4) | (kMinCodeSize - 1)); // global table of 4
    out += '\0';                                                    // background colour
    out += '\0';                                                    // aspect ratio
    for (const Rgb& c : picture.palette) {
        out += static_cast<char>(c.r);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.b);
    }
    out += ',';
    PutLittle16(out, 0);
    PutLittle16(out, 0);
    PutLittle16(out, picture.width);
    PutLittle16(out, picture.height);
    out += '\0'; // no local table, not interlaced
    out += static_cast<char>(kMinCodeSize);
    PutSubBlocks(out, LzwData(picture.pixels));
    out += ';';
    return out;
}

Picture CoverPicture(long long seed) {
    auto shade = static_cast<std::uint8_t>(60 + seed % 7 * 25);
    Picture p = Blank(
        90, 120, {Rgb{245, 240, 225}, Rgb{shade, 90, 120}, Rgb{40, 40, 40}, Rgb{200, 170, 60}});
    FillRect(p, 0, 0, 90, 120, 1);  // cloth
    FillRect(p, 10, 18, 80, 50, 0); // title panel
    FillRect(p, 18, 28, 72, 32, 2); // title strokes
    FillRect(p, 18, 38, 60, 42, 2);
    FillRect(p, 0, 104, 90, 108, 3); // gilt band
    FillRect(p, 8, 60 + static_cast<int>(seed % 30), 82, 62 + static_cast<int>(seed % 30), 3);
    return p;
}

Picture NoCoverPicture() {
    Picture p =
        Blank(90, 120, {Rgb{230, 230, 230}, Rgb{160, 160, 160}, Rgb{255, 255, 255}, Rgb{0, 0, 0}});
    FillRect(p, 4, 4, 86, 116, 2);
    FillRect(p, 30, 45, 60, 75, 1); // a grey square where the cover would be
    return p;
}

Picture ChapterPicture(long long seed) {
    Picture p =
        Blank(240, 80, {Rgb{255, 255, 250}, Rgb{30, 30, 30}, Rgb{120, 120, 120}, Rgb{180, 40, 40}});
    for (int line = 0; line < 5; ++line) {
        int y = 10 + line * 14;
        int length = 120 + static_cast<int>((seed + line * 37) % 100);
        FillRect(p, 12, y, 12 + length, y + 6, line == 0 ? 3 : 1); // lines of "writing"
    }
    FillRect(p, 0, 76, 240, 80, 2);
    return p;
}

} // namespace lanxi::demo
