#pragma once
#include <string>

class MainWindow;

namespace lanxi {

// Fills the directory tree from a book's directory page with the current site's rules. A
// failed load shows "读取出错！" and reloads the last good directory once.
void LoadChapterDirectory(MainWindow& window, const std::string& address);

// The 读 取 目 录 button: the address box, or the last good directory when it is empty.
void LoadDirectoryFromAddressBox(MainWindow& window);

// The last good directory (held by the directory button).
std::string LastDirectoryBase(MainWindow& window);

} // namespace lanxi
