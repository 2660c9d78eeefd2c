#pragma once
#include "reader/local_text.h"

#include <QString>

class MainWindow;

namespace lanxi {

// Opens a local text file and shows its first page (or the saved page of a file of the
// same converted length).
void OpenLocalText(MainWindow& window, const QString& path);
// Asks for a .txt file on the desktop and opens it; cancelling does nothing.
void OpenLocalTextWithDialog(MainWindow& window);
void ShowLocalPage(MainWindow& window, PageDirection direction, bool fromCurrent);

} // namespace lanxi
