#include "app/settings.h"

#include "platform/ini_file.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

namespace lanxi {

using namespace literals;

namespace {
const std::string kUserSection = "用户记录"_gbk;
const std::string kSystemSection = "系统设置"_gbk;
const std::string kLocalSection = "本地txt"_gbk;
const std::string kLastRead = "最后阅读"_gbk;
const std::string kStyle = "窗体风格"_gbk;
const std::string kBackground = "内容背景"_gbk;
const std::string kTextColour = "文字颜色"_gbk;
const std::string kFontSize = "文字大小"_gbk;
const std::string kCollapsed = "收缩"_gbk;
const std::string kLocalPosition = "用户读取"_gbk;
const std::string kTrue = "真"_gbk;
const std::string kFalse = "假"_gbk;
} // namespace

Settings ReadSettings(const std::filesystem::path& path) {
    Settings s;
    auto read = [&](const std::string& section, const std::string& key, const char* def) {
        return IniRead(path, section, key, def);
    };
    s.lastAddress = read(kUserSection, kLastRead, "");
    s.windowStyle = gbk::integer(read(kSystemSection, kStyle, "3"));
    s.background = gbk::integer(read(kSystemSection, kBackground, "15527148"));
    s.textColour = gbk::integer(read(kSystemSection, kTextColour, "8388608"));
    s.fontSize = gbk::integer(read(kSystemSection, kFontSize, "13"));
    s.directoryCollapsed = read(kSystemSection, kCollapsed, "") == kTrue;
    return s;
}

bool WriteSettings(const std::filesystem::path& path, const Settings& s) {
    return IniWriteAll(path,
                       {
                           {kSystemSection, kBackground, std::to_string(s.background)},
                           {kSystemSection, kStyle, std::to_string(s.windowStyle)},
                           {kSystemSection, kTextColour, std::to_string(s.textColour)},
                           {kSystemSection, kFontSize, std::to_string(s.fontSize)},
                           {kUserSection, kLastRead, s.lastAddress},
                           {kSystemSection, kCollapsed, s.directoryCollapsed ? kTrue : kFalse},
                       });
}

std::string ReadLocalPosition(const std::filesystem::path& path) {
    return IniRead(path, kLocalSection, kLocalPosition, "");
}

bool WriteLocalPosition(const std::filesystem::path& path, const std::string& value) {
    return IniWrite(path, kLocalSection, kLocalPosition, value);
}

Rgb RgbFromColourValue(long long value) {
    return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>((value >> 16) & 0xFF)};
}

long long ColourValueFromRgb(const Rgb& rgb) {
    return (static_cast<long long>(rgb.blue & 0xFF) << 16) | ((rgb.green & 0xFF) << 8) |
           (rgb.red & 0xFF);
}

} // namespace lanxi
