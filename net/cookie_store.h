#pragma once
// One cookie store shared by every request of the process, whatever thread makes it, and
// kept in a file between runs. Responses that set cookies are written to the file at once,
// so a crash loses none.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

typedef void CURL;

namespace lanxi {

class CookieStore {
public:
    // Loads the cookies kept in `file` (a missing file is an empty store).
    explicit CookieStore(std::filesystem::path file);
    ~CookieStore();
    CookieStore(const CookieStore&) = delete;
    CookieStore& operator=(const CookieStore&) = delete;

    // Makes a request handle send this store's cookies and keep the ones it receives.
    void attach(CURL* handle);
    // Writes the store to its file.
    void save();
    // The cookies in the file format (one "host TAB ... TAB name TAB value" line each).
    std::vector<std::string> lines();
    const std::filesystem::path& file() const { return file_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::filesystem::path file_;
};

// The store of the program: "岚溪_cookies.txt" beside the settings file (the configuration
// directory holds other programs' files too, so the name says whose it is).
CookieStore& SharedCookieStore();

} // namespace lanxi
