#include "update/update_files.h"

#include "platform/paths.h"

#include <filesystem>
#include <system_error>

namespace lanxi {

void CleanUpdateLeftovers() {
    const std::filesystem::path dir = ProgramDirectory();
    for (const char* name : {"zip.exe", "update.dll", "update.zip"}) {
        std::error_code ec;
        std::filesystem::remove(dir / name, ec);
    }
}

} // namespace lanxi
