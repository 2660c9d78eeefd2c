// lanxi: the reader's operations without a window, for people who write rule files.
// Arguments are UTF-8; files are read and written as GBK; output is UTF-8.
#include "net/http_client.h"
#include "net/url.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "reader/chapter_page.h"
#include "reader/directory.h"
#include "reader/local_text.h"
#include "rules/extraction.h"
#include "rules/regex.h"
#include "rules/site_rules.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

constexpr int kUsageError = 2;
constexpr int kInputError = 1;

const char* const kUsage =
    "usage: lanxi [--home DIR] [--config DIR] COMMAND ... [-- WORD...]\n"
    "  (words after \"--\" are never options, e.g. lanxi cut page.html -- '<!--' '-->')\n"
    "  rule SECTION KEY [--site N] [--default TEXT]   value of a site rule\n"
    "  cut FILE START END                             text between two markers\n"
    "  filter FILE                                    text after the HTML replacement list\n"
    "  match PATTERN FILE [--json]                    every match of a regular expression\n"
    "  chapter ADDRESS [--site N] [--json]            what the reader shows for a chapter\n"
    "  directory ADDRESS [--site N] [--json]          the chapters of a book's directory\n"
    "  txt FILE [--page N] [--json]                   one page of a local text file\n"
    "  fetch URL [--method M] [--data D] [--header LINE]... [--proxy HOST:PORT]\n"
    "            [--timeout S] [--show-headers] [--utf8]  the body of a web page\n";

struct Command {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> options; // --name value, repeatable
    std::map<std::string, bool> flags;                       // --name
};

struct Failure {
    int code;
    std::string message;
};

// Splits args into positional words, options that take a value and bare flags.
std::optional<Command> parseCommand(const std::vector<std::string>& args,
                                    const std::vector<std::string>& valueOptions,
                                    const std::vector<std::string>& flagOptions,
                                    std::string& error) {
    Command c;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {
            // Markers and patterns may begin with "--" (an HTML comment's end, for one).
            c.positional.insert(c.positional.end(), args.begin() + i + 1, args.end());
            break;
        }
        if (a.rfind("--", 0) != 0) {
            c.positional.push_back(a);
            continue;
        }
        std::string name = a.substr(2);
        if (std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end()) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return std::nullopt;
            }
            c.options[name].push_back(args[++i]);
        } else if (std::find(flagOptions.begin(), flagOptions.end(), name) != flagOptions.end()) {
            c.flags[name] = true;
        } else {
            error = "unknown option " + a;
            return std::nullopt;
        }
    }
    return c;
}

// The last value given for an option, if any.
std::optional<std::string> option(const Command& c, const std::string& name) {
    auto it = c.options.find(name);
    if (it == c.options.end() || it->second.empty()) {
        return std::nullopt;
    }
    return it->second.back();
}

std::optional<int> wholeNumber(const std::string& s) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    return value;
}

bool readSite(const Command& c, int& site, Failure& failure) {
    site = kSiteRdzw;
    if (auto text = option(c, "site")) {
        auto number = wholeNumber(*text);
        if (!number || (*number != kSiteRdzw && *number != kSiteKanshuzhan)) {
            // Other numbers would mix site 0's rules with another site's addresses.
            failure = {kUsageError, "--site needs 0 or 1, not: " + *text};
            return false;
        }
        site = *number;
    }
    return true;
}

std::optional<std::string> readTextFile(const std::string& name, Failure& failure) {
    std::optional<std::string> bytes = ReadFileBytes(name);
    if (!bytes) {
        failure = {kInputError, "cannot read file: " + name};
        return std::nullopt;
    }
    return std::string(gbk::untilNul(*bytes));
}

void printGbk(std::string_view gbk) {
    std::cout << GbkToUtf8(gbk);
}

int runRule(const Command& c, Failure& failure) {
    int site = kSiteRdzw;
    if (!readSite(c, site, failure)) {
        return failure.code;
    }
    std::string def = Utf8ToGbk(option(c, "default").value_or(""));
    printGbk(ReadRule(Utf8ToGbk(c.positional[0]), Utf8ToGbk(c.positional[1]), def, site));
    std::cout << '\n';
    return 0;
}

int runCut(const Command& c, Failure& failure) {
    auto text = readTextFile(c.positional[0], failure);
    if (!text) {
        return failure.code;
    }
    printGbk(ExtractBetween(*text, Utf8ToGbk(c.positional[1]), Utf8ToGbk(c.positional[2])));
    return 0;
}

int runFilter(const Command& c, Failure& failure) {
    auto text = readTextFile(c.positional[0], failure);
    if (!text) {
        return failure.code;
    }
    printGbk(ApplyHtmlFilter(*text));
    return 0;
}

int runMatch(const Command& c, Failure& failure) {
    auto text = readTextFile(c.positional[1], failure);
    if (!text) {
        return failure.code;
    }
    Regex re;
    if (!re.compile(Utf8ToGbk(c.positional[0]))) {
        failure = {kInputError, "the pattern does not compile: " + c.positional[0]};
        return failure.code;
    }
    std::vector<RegexMatch> matches = re.findAll(*text);
    if (c.flags.count("json")) {
        nlohmann::json out = nlohmann::json::array();
        for (const RegexMatch& m : matches) {
            nlohmann::json groups = nlohmann::json::array();
            for (const std::string& g : m.groups) {
                groups.push_back(GbkToUtf8(g));
            }
            out.push_back(groups);
        }
        std::cout << out.dump(2) << '\n';
        return 0;
    }
    for (const RegexMatch& m : matches) {
        for (size_t i = 1; i < m.groups.size(); ++i) {
            if (i > 1) {
                std::cout << '\t';
            }
            printGbk(m.groups[i]);
        }
        std::cout << '\n';
    }
    return 0;
}

int runFetch(const Command& c, Failure& failure) {
    HttpRequest request;
    request.url = Utf8ToGbk(c.positional[0]);
    request.method = option(c, "method").value_or("");
    request.postData = Utf8ToGbk(option(c, "data").value_or(""));
    request.proxy = option(c, "proxy").value_or("");
    if (auto it = c.options.find("header"); it != c.options.end()) {
        for (const std::string& line : it->second) {
            request.extraHeaders += Utf8ToGbk(line) + "\r\n";
        }
    }
    if (auto text = option(c, "timeout")) {
        auto seconds = wholeNumber(*text);
        if (!seconds || *seconds < 0) {
            failure = {kUsageError, "--timeout needs a number of seconds, not: " + *text};
            return failure.code;
        }
        request.timeoutSeconds = *seconds;
    }
    HttpResult result = PerformHttpRequest(request);
    if (!result.completed) {
        failure = {kInputError, "the request failed (no answer, refused, timed out, a method "
                                "other than GET or POST, or a body over 64 MiB): " +
                                    c.positional[0]};
        return failure.code;
    }
    const bool utf8 = c.flags.count("utf8") > 0;
    if (c.flags.count("show-headers")) {
        std::cout << result.headers;
    }
    std::cout << (utf8 ? GbkToUtf8(result.body) : result.body);
    return 0;
}

// Prints fields as "name: value" lines, or as one JSON object.
class Report {
public:
    explicit Report(bool json) : json_(json) {}
    void text(const char* name, std::string_view gbk) { add(name, GbkToUtf8(gbk)); }
    template <typename T> void add(const char* name, T value) {
        object_[name] = value;
        order_.push_back(name);
    }
    nlohmann::json& object() { return object_; }
    // `body` (already in the object) is printed last in plain mode, after an empty line.
    void print(const char* body = nullptr) {
        if (json_) {
            std::cout << object_.dump(2) << '\n';
            return;
        }
        for (const std::string& name : order_) {
            if (body && name == body) {
                continue;
            }
            const nlohmann::json& v = object_[name];
            std::cout << name << ": " << (v.is_string() ? v.get<std::string>() : v.dump()) << '\n';
        }
        if (body) {
            std::cout << '\n' << object_[body].get<std::string>() << '\n';
        }
    }

private:
    bool json_;
    nlohmann::json object_ = nlohmann::json::object();
    std::vector<std::string> order_;
};

int runChapter(const Command& c, Failure& failure) {
    int site = 0;
    if (!readSite(c, site, failure)) {
        return failure.code;
    }
    const ChapterRules rules = ReadChapterRules(site);
    const std::string address = CompleteSiteAddress(Utf8ToGbk(c.positional[0]), rules.siteBase);
    ChapterPage chapter = ParseChapterPage(FetchPageText(address), rules, address);
    if (chapter.isImage) {
        chapter.content = AbsoluteImageSources(chapter.content, rules.siteBase);
    }
    Report r(c.flags.count("json") > 0);
    r.text("address", address);
    r.text("title", chapter.title);
    r.text("chapterTitle", chapter.chapterTitle);
    r.text("bookId", chapter.bookId);
    r.add("ok", chapter.ok);
    r.add("isImage", chapter.isImage);
    r.add("isFirst", chapter.isFirst);
    r.add("isLast", chapter.isLast);
    r.text("prevUrl", chapter.prevUrl);
    r.text("nextUrl", chapter.nextUrl);
    r.text("content", chapter.content);
    r.print("content");
    return 0;
}

int runDirectory(const Command& c, Failure& failure) {
    int site = 0;
    if (!readSite(c, site, failure)) {
        return failure.code;
    }
    const DirectoryRules rules = ReadDirectoryRules(site);
    const std::string address =
        DirectoryPageAddress(Utf8ToGbk(c.positional[0]), site, rules.siteBase);
    const DirectoryListing listing =
        ParseDirectoryPage(FetchPageText(address), rules, address, site);
    const bool json = c.flags.count("json") > 0;
    Report r(json);
    r.text("address", address);
    r.text("template", listing.chapterTemplate);
    r.text("bookId", listing.bookId);
    nlohmann::json entries = nlohmann::json::array();
    for (const DirectoryEntry& e : listing.entries) {
        entries.push_back(
            {{"number", e.number}, {"title", GbkToUtf8(e.title)}, {"url", GbkToUtf8(e.url)}});
    }
    if (json) {
        r.add("entries", entries);
        r.print();
        return 0;
    }
    r.print();
    std::cout << '\n';
    for (const DirectoryEntry& e : listing.entries) {
        std::cout << e.number << '\t' << GbkToUtf8(e.title) << '\t' << GbkToUtf8(e.url) << '\n';
    }
    return 0;
}

int runTxt(const Command& c, Failure& failure) {
    int pageNumber = 1;
    if (auto text = option(c, "page")) {
        auto number = wholeNumber(*text);
        if (!number || *number < 1) {
            failure = {kUsageError, "--page needs a page number from 1 on, not: " + *text};
            return failure.code;
        }
        pageNumber = *number;
    }
    const std::optional<std::string> loaded = ReadLocalText(c.positional[0]);
    if (!loaded) {
        failure = {kInputError, "cannot read file: " + c.positional[0]};
        return failure.code;
    }
    const std::string& text = *loaded;
    const LocalPage page =
        ComputeLocalPage(text, PageDirection::Next, true, "",
                         std::to_string(static_cast<long long>(pageNumber - 1) * kLocalPageSize));
    Report r(c.flags.count("json") > 0);
    r.add("length", static_cast<long long>(text.size()));
    r.add("pageCount", page.pageCount);
    r.add("page", page.page);
    r.add("position", page.position);
    r.text("text", page.text);
    r.print("text");
    return 0;
}

struct Subcommand {
    const char* name;
    size_t arguments;  // positional arguments it takes
    const char* needs; // how the usage message names them
    std::vector<std::string> valueOptions;
    std::vector<std::string> flagOptions;
    int (*run)(const Command&, Failure&);
};

const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> list = {
        {"rule", 2, "SECTION and KEY", {"site", "default"}, {}, runRule},
        {"cut", 3, "FILE, START and END", {}, {}, runCut},
        {"filter", 1, "FILE", {}, {}, runFilter},
        {"match", 2, "PATTERN and FILE", {}, {"json"}, runMatch},
        {"chapter", 1, "ADDRESS", {"site"}, {"json"}, runChapter},
        {"directory", 1, "ADDRESS", {"site"}, {"json"}, runDirectory},
        {"txt", 1, "FILE", {"page"}, {"json"}, runTxt},
        {"fetch",
         1,
         "URL",
         {"method", "data", "header", "proxy", "timeout"},
         {"show-headers", "utf8"},
         runFetch},
    };
    return list;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ConfigurePaths(TakePathOverrides(args));
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cerr << kUsage;
        return args.empty() ? kUsageError : 0;
    }
    for (const Subcommand& sub : subcommands()) {
        if (args[0] != sub.name) {
            continue;
        }
        std::string error;
        auto command =
            parseCommand({args.begin() + 1, args.end()}, sub.valueOptions, sub.flagOptions, error);
        if (!command) {
            std::cerr << "lanxi " << sub.name << ": " << error << "\n" << kUsage;
            return kUsageError;
        }
        if (command->positional.size() != sub.arguments) {
            std::cerr << "lanxi " << sub.name << ": " << sub.name << " needs " << sub.needs << "\n"
                      << kUsage;
            return kUsageError;
        }
        Failure failure{0, {}};
        int code = sub.run(*command, failure);
        if (code != 0) {
            std::cerr << "lanxi " << sub.name << ": " << failure.message << "\n";
            if (code == kUsageError) {
                std::cerr << kUsage;
            }
        }
        std::cout.flush();
        return code;
    }
    std::cerr << "lanxi: unknown command: " << args[0] << "\n" << kUsage;
    return kUsageError;
}
