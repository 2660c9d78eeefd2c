#include "platform/ini_file.h"

#include "platform/file_io.h"
#include "text/gbk_text.h"

#include <mutex>
#include <optional>
#include <vector>

namespace lanxi {
namespace {

struct Line {
    size_t begin = 0; // first byte of the line
    size_t end = 0;   // one past the last content byte (before CR LF / LF)
    size_t next = 0;  // first byte of the following line
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        Line line{pos, nl == std::string_view::npos ? text.size() : nl, 0};
        line.next = nl == std::string_view::npos ? text.size() : nl + 1;
        if (line.end > line.begin && text[line.end - 1] == '\r') {
            --line.end;
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

std::string_view trimBlanks(std::string_view s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) {
        return {};
    }
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && gbk::lower(a) == gbk::lower(b);
}

// The section name of a header line, or nullopt when the line is not a header.
std::optional<std::string_view> sectionName(std::string_view content) {
    std::string_view t = trimBlanks(content);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    t.remove_prefix(1);
    // "]" may be the second byte of a character in the name, so it is searched as text.
    gbk::Pos close = gbk::find(t, "]");
    return trimBlanks(close == gbk::kNotFound ? t : t.substr(0, static_cast<size_t>(close - 1)));
}

// The key of a "key=value" line, or nullopt when the line holds no "=".
std::optional<std::string_view> keyName(std::string_view content) {
    size_t eq = content.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(content.substr(0, eq));
}

std::string cleanValue(std::string_view raw) {
    std::string_view v = trimBlanks(raw);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') {
        v = v.substr(1, v.size() - 2);
    }
    if (v.size() > kIniValueLimit) {
        // Do not leave the lead byte of a two-byte character dangling at the cut.
        const size_t cut =
            gbk::isCharacterStart(v, kIniValueLimit) ? kIniValueLimit : kIniValueLimit - 1;
        v = v.substr(0, cut);
    }
    return std::string(v);
}

struct KeyLocation {
    std::optional<size_t> header; // line index of the section header
    std::optional<size_t> key;    // line index of the key
    size_t lastContent = 0;       // last non-blank line of the section (header if none)
};

KeyLocation locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                   std::string_view key) {
    // Names in the file lose their blanks, so the names asked for do too.
    section = trimBlanks(section);
    key = trimBlanks(key);
    KeyLocation loc;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view content = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (auto name = sectionName(content)) {
            if (loc.header) {
                break; // end of the first matching section
            }
            if (sameName(*name, section)) {
                loc.header = i;
                loc.lastContent = i;
            }
            continue;
        }
        if (!loc.header) {
            continue;
        }
        if (!trimBlanks(content).empty()) {
            loc.lastContent = i;
        }
        if (auto k = keyName(content); k && !loc.key && sameName(*k, key)) {
            loc.key = i;
        }
    }
    return loc;
}

std::mutex& writeMutex() {
    static std::mutex m;
    return m;
}

} // namespace

std::string IniRead(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view defaultValue) {
    std::optional<std::string> bytes = path.empty() ? std::nullopt : ReadFileBytes(path);
    if (!bytes) {
        return std::string(defaultValue);
    }
    return IniReadText(*bytes, section, key, defaultValue);
}

std::string IniReadText(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
    std::vector<Line> lines = splitLines(text);
    KeyLocation loc = locate(text, lines, section, key);
    if (!loc.key) {
        return std::string(defaultValue);
    }
    const Line& line = lines[*loc.key];
    std::string_view content = text.substr(line.begin, line.end - line.begin);
    return cleanValue(content.substr(content.find('=') + 1));
}

namespace {

// Applies one write to the file text in memory.
void applyWrite(std::string& text, std::string_view section, std::string_view key,
                std::string_view value) {
    std::string entry(trimBlanks(key));
    entry += '=';
    for (char c : value) {
        if (c != '\r' && c != '\n') {
            entry += c;
        }
    }
    std::vector<Line> lines = splitLines(text);
    KeyLocation loc = locate(text, lines, section, key);
    if (loc.key) {
        const Line& line = lines[*loc.key];
        text.replace(line.begin, line.end - line.begin, entry);
    } else if (loc.header) {
        const Line& after = lines[loc.lastContent];
        if (after.next == after.end) { // last line of the file, no line break yet
            text.insert(after.end, "\r\n" + entry);
        } else {
            text.insert(after.next, entry + "\r\n");
        }
    } else {
        if (!text.empty() && text.back() != '\n') {
            text += "\r\n";
        }
        text += "[";
        text += trimBlanks(section);
        text += "]\r\n";
        text += entry;
        text += "\r\n";
    }
}

// A name cut after the first byte of a character would swallow the "]" or "=" after it.
bool endsWithWholeCharacter(std::string_view name) {
    return name.empty() || !gbk::isLeadByte(static_cast<unsigned char>(name.back())) ||
           !gbk::isCharacterStart(name, name.size() - 1);
}

bool validName(std::string_view name) {
    const std::string_view trimmed = trimBlanks(name);
    return !trimmed.empty() && name.find_first_of("\r\n") == std::string_view::npos &&
           endsWithWholeCharacter(trimmed);
}

// A "]" would end the section header early.
bool validSection(std::string_view name) {
    return validName(name) && gbk::find(name, "]") == gbk::kNotFound;
}

// A key beginning with "[" would read back as a section header; "=" would end the key.
bool validKey(std::string_view name) {
    return validName(name) && trimBlanks(name).front() != '[' &&
           name.find('=') == std::string_view::npos;
}

} // namespace

bool IniWrite(const std::filesystem::path& path, std::string_view section, std::string_view key,
              std::string_view value) {
    return IniWriteAll(path, {{std::string(section), std::string(key), std::string(value)}});
}

bool IniWriteAll(const std::filesystem::path& path, const std::vector<IniEntry>& entries) {
    if (path.empty()) {
        return false;
    }
    for (const IniEntry& e : entries) {
        if (!validSection(e.section) || !validKey(e.key)) {
            return false;
        }
    }
    // One writer at a time: each write is a read-modify-replace of the whole file.
    std::lock_guard lock(writeMutex());
    std::optional<std::string> existing = ReadFileBytes(path);
    std::error_code ec;
    if (!existing && std::filesystem::exists(path, ec)) {
        return false; // unreadable: never replace a file we could not read
    }
    std::string text = existing.value_or(std::string());
    for (const IniEntry& e : entries) {
        applyWrite(text, e.section, e.key, e.value);
    }
    return WriteFileAtomically(path, text);
}

} // namespace lanxi
