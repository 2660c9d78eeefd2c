#pragma once
// What the program knows of one book, as GBK texts; an absent value is empty.
#include <string>

namespace lanxi {

struct BookInfo {
    std::string bookId;
    std::string title;
    std::string author;
    std::string category;
    std::string status;
    std::string updateDate;
    std::string newestChapterTitle;
    std::string newestChapterUrl;
    std::string chapterTitle;
    std::string chapterUrl;
    std::string directoryUrl;
    std::string bookPageUrl;
    std::string coverUrl;
    std::string introduction;
};

} // namespace lanxi
