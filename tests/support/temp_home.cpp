#include "support/temp_home.h"

#include "platform/paths.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lanxi::test {

TempHome::TempHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lanxi-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = pattern;
    std::filesystem::create_directories(home());
    std::filesystem::create_directories(config());
    std::filesystem::create_directories(temp());
    ConfigurePaths({home(), config(), temp()});
}

TempHome::~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace lanxi::test
