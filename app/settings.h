#pragma once
// The settings file: appearance, the last address, the panel state and the position in a
// local text file, read at start-up and written at shut-down.
#include <filesystem>
#include <string>

namespace lanxi {

struct Settings {
    std::string lastAddress;         // [用户记录] 最后阅读
    long long windowStyle = 3;       // [系统设置] 窗体风格, 1..3 when valid
    long long background = 15527148; // [系统设置] 内容背景, 0x00BBGGRR
    long long textColour = 8388608;  // [系统设置] 文字颜色, 0x00BBGGRR
    long long fontSize = 13;         // [系统设置] 文字大小
    bool directoryCollapsed = false; // [系统设置] 收缩 is exactly "真"
};

Settings ReadSettings(const std::filesystem::path& path);
// Writes the six keys in the shut-down order, in one replacement of the file.
bool WriteSettings(const std::filesystem::path& path, const Settings& settings);

// [本地txt] 用户读取: "<text length>|<page position>".
std::string ReadLocalPosition(const std::filesystem::path& path);
bool WriteLocalPosition(const std::filesystem::path& path, const std::string& value);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// Windows colour values are 0x00BBGGRR in decimal text.
Rgb RgbFromColourValue(long long value);
long long ColourValueFromRgb(const Rgb& rgb);

} // namespace lanxi
