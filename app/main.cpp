#include "app/app_state.h"
#include "app/main_window.h"
#include "platform/paths.h"
#include "ui/shared_style_ui.h"

#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    lanxi::ConfigurePaths(lanxi::TakePathOverrides(args));
    // Files named without a folder (the updater's) are relative to the program directory.
    std::error_code ec;
    std::filesystem::create_directories(lanxi::ProgramDirectory(), ec);
    std::filesystem::current_path(lanxi::ProgramDirectory(), ec);

    QApplication app(argc, argv);
    lanxi::ResetAppState();
    lanxi::CreateSharedUiStyle();
    MainWindow window;
    window.show();
    return app.exec();
}
