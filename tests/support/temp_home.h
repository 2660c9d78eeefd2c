#pragma once
// A throw-away program directory, configuration directory and temporary folder for one test,
// so tests never touch a real home. The folders are removed when the object goes away.
#include <filesystem>
#include <string>

namespace lanxi::test {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path config() const { return root_ / "config"; }
    std::filesystem::path temp() const { return root_ / "temp"; }

private:
    std::filesystem::path root_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

} // namespace lanxi::test
