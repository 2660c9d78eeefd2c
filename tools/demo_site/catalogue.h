#pragma once
// The books of the demo sites and their generated text. Everything is derived from fixed
// tables and a seeded generator, so every run serves the same bytes and no real book's text
// is used. Texts here are UTF-8; the pages convert them to GBK when they are served.
#include <string>
#include <string_view>
#include <vector>

namespace lanxi::demo {

enum DemoSiteIndex : int { kRdzw = 0, kKanshuzhan = 1 };

struct Book {
    std::string id; // decimal digits
    std::string title;
    std::string author;
    int category = 0;     // listing number of the default site's category browser
    int chapterCount = 0; // chapters 1..chapterCount all exist
    bool finished = false;
    int imageChapter = 0; // chapter whose text is a picture; 0: none
    bool hasCover = false;
};

// Every book of the site, the featured ones first.
const std::vector<Book>& Catalogue(int site);
const Book* FindBook(int site, std::string_view id);

// "<%id1%>" of the sites' addresses: the first digit of ids of four or more digits, else "0".
std::string IdPrefix(std::string_view id);

// Chapter file numbers: book number * 10000 + chapter, so every name in a book has the same
// length and the reader's "next link much longer than previous link" test never trips.
long long ChapterFileNumber(const Book& book, int chapter);
// The chapter a file number names, or 0 when it is not one of this book's.
int ChapterOfFileNumber(const Book& book, long long fileNumber);

std::string ChapterTitle(const Book& book, int chapter);
// Paragraphs of plain text; some hold &ldquo;/&rdquo; quotes, as the sites' pages do.
std::vector<std::string> ChapterParagraphs(const Book& book, int chapter);
std::vector<std::string> Introduction(const Book& book);
std::string UpdateDate(const Book& book);               // "2024-03-15"
std::string ChapterTime(const Book& book, int chapter); // "2023-06-01 08:00:00"
std::string StatusText(const Book& book);               // "连载中" / "已完成"
std::string WordCount(const Book& book);                // "9600K"
std::string CategoryName(int category);

// The category numbers the category browser asks for (0 lists every book).
const std::vector<int>& CategoryNumbers();

// One page of a longer list. Pages count from 1; a page number out of range shows the
// nearest page, as the sites' pagers do.
struct BookListPage {
    int current = 0;
    int total = 0;
    std::vector<const Book*> rows;
};

enum class SearchField { kTitle, kAuthor };
// Books whose title or author contains the GBK keyword (an empty keyword finds nothing).
std::vector<const Book*> SearchBooks(int site, SearchField field, std::string_view keywordGbk);
constexpr int kSearchRowsPerPage = 5;
BookListPage SearchResultPage(const std::vector<const Book*>& found, long long page);

// Every category listing has exactly three pages, so paging is always exercised.
constexpr int kListingPages = 3;
BookListPage CategoryListingPage(int site, int category, long long page);

} // namespace lanxi::demo
