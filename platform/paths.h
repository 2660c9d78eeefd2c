#pragma once
// Well-known folders. The program directory is the executable's folder unless --home DIR or
// LANXI_HOME names another; the configuration directory (where the settings file lives) is
// $XDG_CONFIG_HOME or ~/.config unless --config DIR or LANXI_CONFIG names another. Tests and
// the demo set both, so they never touch a real home.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lanxi {

struct PathOverrides {
    std::filesystem::path home;   // empty: not given
    std::filesystem::path config; // empty: not given
    std::filesystem::path temp;   // empty: a private folder under the system's temporary folder
};

// Takes --home DIR and --config DIR (also --home=DIR) out of args, falling back to the
// environment variables; the remaining arguments stay in args.
PathOverrides TakePathOverrides(std::vector<std::string>& args);

// Sets the folders for the whole process.
void ConfigurePaths(const PathOverrides& overrides);

std::filesystem::path ProgramDirectory();
std::filesystem::path ConfigDirectory();
// A folder only this user can write; empty when none could be made.
std::filesystem::path TempDirectory();

std::filesystem::path SettingsPath(); // ConfigDirectory / "岚溪_rdzw.ini"
// TempDirectory / name; empty when there is no temporary folder.
std::filesystem::path TempFilePath(std::string_view name);
std::filesystem::path StartPagePath(); // TempFilePath("findex.html")

} // namespace lanxi
