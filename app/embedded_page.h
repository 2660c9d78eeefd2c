#pragma once
// Blocks the program carries enciphered: the start page, also used as the trailer of image
// chapter pages.
#include <filesystem>
#include <string>
#include <string_view>

namespace lanxi {

// RC4 with the program's built-in key; applying it twice gives the input back.
std::string DecipherEmbedded(std::string_view block);
// The start page as GBK HTML bytes.
std::string StartPageBytes();
// Deciphers the start page and writes it to `path`, replacing any file there.
bool WriteStartPage(const std::filesystem::path& path);

} // namespace lanxi
