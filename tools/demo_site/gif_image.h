#pragma once
// Small GIF pictures made in code (covers, the sites' no-cover placeholder, picture
// chapters), so the demo sites carry no binary files.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lanxi::demo {

struct Rgb {
    std::uint8_t r, g, b;
};

// A four-colour picture: `pixels` holds width * height palette indices (0..3), row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::array<Rgb, 4> palette{};
    std::vector<std::uint8_t> pixels;
};

// GIF89a bytes of the picture. The image data is uncompressed LZW (a clear code before every
// pixel), which every decoder reads and which needs no dictionary logic.
std::string EncodeGif(const Picture& picture);

// The pictures the sites serve; the same seed always gives the same picture.
Picture CoverPicture(long long seed);
Picture NoCoverPicture();
Picture ChapterPicture(long long seed);

} // namespace lanxi::demo
