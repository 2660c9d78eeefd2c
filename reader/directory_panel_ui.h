#pragma once

namespace Ui {
class MainWindow;
}

namespace lanxi {

// Hides the directory tree and gives its width to the reading area.
void CollapseDirectoryPanel(Ui::MainWindow& ui);
// Undoes CollapseDirectoryPanel.
void ExpandDirectoryPanel(Ui::MainWindow& ui);
void ToggleDirectoryPanel(Ui::MainWindow& ui);

} // namespace lanxi
