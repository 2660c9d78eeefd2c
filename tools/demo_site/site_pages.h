#pragma once
// The page builders of the three hosts and the pieces the two novel sites share.
#include "tools/demo_site/catalogue.h"
#include "tools/demo_site/page.h"

#include <string>
#include <string_view>
#include <vector>

namespace lanxi::demo {

Page RdzwPage(const PageRequest& request);
Page KanshuzhanPage(const PageRequest& request);
// The maker's update-information and announcement pages.
Page MakerPage(const PageRequest& request, std::string_view announcedVersion);

// Covers, the no-cover placeholder and chapter pictures; empty status (0) when the path
// names none of them.
Page PicturePage(int site, const std::vector<std::string>& parts);
// Root-relative addresses of a book's cover (or the placeholder) and of a picture chapter.
std::string CoverPath(const Book& book);
std::string ChapterPicturePath(const Book& book, int chapter);

// Chapter text as the sites mark it up: &nbsp; indents, <br /> breaks, a watermark span, or
// a root-relative <img> for a picture chapter. `extras` go in front of the text (the default
// site's notice and front picture).
std::string ChapterBodyHtml(const Book& book, int chapter, std::string_view extras);
// The list of every book of a site, for people browsing the demo; `bookPagePath` gives the
// site's address of a book's information page.
Page CatalogueHome(int site, std::string_view siteName,
                   std::string (*bookPagePath)(const Book& book));

// The introduction with the same markup.
std::string IntroductionHtml(const Book& book);

// The book and chapter a "<book dir>/<file number><suffix>" address names; chapter 0 when the
// file is not one of the book's chapters.
int ChapterOfFile(const Book& book, std::string_view fileName, std::string_view suffix);

// A book named by "<%id1%>/<%id%>" in an address; null when either part is wrong.
const Book* BookAt(int site, std::string_view prefix, std::string_view id);

} // namespace lanxi::demo
