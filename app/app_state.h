#pragma once
// Process-wide values of the reader, owned by the window thread.
#include "app/book_info.h"

#include <string>

namespace lanxi {

inline constexpr const char* kProgramVersion = "2.41";

struct AppState {
    std::string programVersion; // set at start-up, appended to the main window caption
    int windowStyle = 0;        // skin 1..3
    bool directoryCollapsed = false;
    int savedDirectoryWidth = 0; // tree width before the panel collapsed
    int readerBusy = 0;          // 1 while a chapter or local page loads, and until the first
    int directoryLoadStop = 0;   // 1 ends a directory load in progress
    int chapterReads = 0;        // chapter reads in progress (nested reads count)
    bool hotkeysRegistered = false;

    // Reading.
    int currentSiteIndex = 0;   // the site whose rules read the current chapter
    BookInfo workingBook;       // the shared working record; each operation fills its fields
    std::string chapterContent; // cleaned text of the last chapter read
    std::string urlBookId;      // last folder name of the current chapter's address

    // Local text.
    std::string localText; // the open file after full-width conversion
    long long localPage = 0;
    long long localPageCount = 0;
};

AppState& App();
// Back to the state before start-up (every text and flag empty).
void ResetAppState();

} // namespace lanxi
