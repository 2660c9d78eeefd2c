#include "platform/paths.h"

#include <cstdlib>
#include <mutex>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace lanxi {
namespace {

struct Folders {
    std::mutex mutex;
    std::filesystem::path program;
    std::filesystem::path config;
    std::filesystem::path temp;
};

Folders& folders() {
    static Folders f;
    return f;
}

std::filesystem::path executableDirectory() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        return std::filesystem::current_path(ec);
    }
    return exe.parent_path();
}

bool isPrivateFolder(const std::filesystem::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// The start page and picture chapters are shown from files in the temporary folder; a folder
// only this user can write keeps another user from planting the page the HTML box shows.
std::filesystem::path privateTempDirectory() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) {
        base = "/tmp";
    }
    std::filesystem::path mine = base / ("lanxi-" + std::to_string(::geteuid()));
    ::mkdir(mine.c_str(), 0700);
    if (isPrivateFolder(mine)) {
        return mine;
    }
    // Another user holds that name: a fresh folder of our own for this run.
    std::string fresh = (base / "lanxi-XXXXXX").string();
    if (::mkdtemp(fresh.data())) {
        return fresh;
    }
    return {}; // no private folder: temporary files are not written
}

std::filesystem::path userConfigDirectory() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".config";
    }
    // Not TempDirectory(): this runs with the folders' lock held.
    return privateTempDirectory();
}

std::filesystem::path absoluteOrAsGiven(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::path a = std::filesystem::absolute(p, ec);
    return ec ? p : a;
}

} // namespace

PathOverrides TakePathOverrides(std::vector<std::string>& args) {
    PathOverrides o;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {
            rest.insert(rest.end(), args.begin() + i, args.end());
            break;
        }
        auto take = [&](const std::string& flag, std::filesystem::path& into) {
            if (a == flag && i + 1 < args.size()) {
                into = args[++i];
                return true;
            }
            if (a.rfind(flag + "=", 0) == 0) {
                into = a.substr(flag.size() + 1);
                return true;
            }
            return false;
        };
        if (!take("--home", o.home) && !take("--config", o.config)) {
            rest.push_back(a);
        }
    }
    args = rest;
    if (o.home.empty()) {
        if (const char* h = std::getenv("LANXI_HOME"); h && *h) {
            o.home = h;
        }
    }
    if (o.config.empty()) {
        if (const char* c = std::getenv("LANXI_CONFIG"); c && *c) {
            o.config = c;
        }
    }
    return o;
}

void ConfigurePaths(const PathOverrides& overrides) {
    Folders& f = folders();
    std::lock_guard lock(f.mutex);
    f.program = overrides.home.empty() ? executableDirectory() : absoluteOrAsGiven(overrides.home);
    f.config =
        overrides.config.empty() ? userConfigDirectory() : absoluteOrAsGiven(overrides.config);
    f.temp = overrides.temp.empty() ? std::filesystem::path() : absoluteOrAsGiven(overrides.temp);
}

namespace {
// A folder of `Folders`, worked out the first time when ConfigurePaths was not called.
std::filesystem::path folder(std::filesystem::path Folders::*member,
                             std::filesystem::path (*fallback)()) {
    Folders& f = folders();
    std::lock_guard lock(f.mutex);
    if ((f.*member).empty()) {
        f.*member = fallback();
    }
    return f.*member;
}
} // namespace

std::filesystem::path ProgramDirectory() {
    return folder(&Folders::program, executableDirectory);
}

std::filesystem::path ConfigDirectory() {
    return folder(&Folders::config, userConfigDirectory);
}

std::filesystem::path TempDirectory() {
    return folder(&Folders::temp, privateTempDirectory);
}

std::filesystem::path SettingsPath() {
    return ConfigDirectory() / "岚溪_rdzw.ini";
}

std::filesystem::path TempFilePath(std::string_view name) {
    std::filesystem::path temp = TempDirectory();
    return temp.empty() ? temp : temp / name;
}

std::filesystem::path StartPagePath() {
    return TempFilePath("findex.html");
}

} // namespace lanxi
