#pragma once
#include <filesystem>
#include <string>

class MainWindow;

namespace lanxi {

// The page shown for an image chapter: temporary folder + "caiji.temp".
std::filesystem::path CapturePath();

// Reads and shows one chapter with the rules of the current site. `address` receives the
// completed absolute address when it was relative.
void ReadChapter(MainWindow& window, std::string& address);

// The commands that start a read.
void ReadAddressBox(MainWindow& window);       // 读取
void ReadNextChapter(MainWindow& window);      // 下一章 (or the next local page)
void ReadPreviousChapter(MainWindow& window);  // 上一章 (or the previous local page)
void OpenNetworkAddress(MainWindow& window);   // menu 打开网络地址
void OpenDirectoryChapter(MainWindow& window); // tree double click, menu 打开

} // namespace lanxi
