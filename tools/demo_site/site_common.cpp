#include "tools/demo_site/gif_image.h"
#include "tools/demo_site/site_pages.h"

namespace lanxi::demo {

namespace {

constexpr std::string_view kIndent = "&nbsp;&nbsp;&nbsp;&nbsp;";
constexpr std::string_view kWatermark = "<span class=\"wartermark\"></span>";

} // namespace

std::string CoverPath(const Book& book) {
    if (!book.hasCover) {
        return "/images/noimg.gif";
    }
    return "/files/article/image/" + IdPrefix(book.id) + "/" + book.id + "/" + book.id + "s.gif";
}

std::string ChapterPicturePath(const Book& book, int chapter) {
    return "/chapterpic/" + book.id + "/" + std::to_string(ChapterFileNumber(book, chapter)) +
           ".gif";
}

Page PicturePage(int site, const std::vector<std::string>& parts) {
    // The placeholder and the default site's floating front picture share one image.
    if (parts.size() == 2 && parts[0] == "images" &&
        (parts[1] == "noimg.gif" || parts[1] == "front.gif")) {
        return GifPicture(EncodeGif(NoCoverPicture()));
    }
    if (parts.size() == 6 && parts[0] == "files" && parts[1] == "article" && parts[2] == "image") {
        const Book* book = BookAt(site, parts[3], parts[4]);
        if (book && book->hasCover && parts[5] == book->id + "s.gif") {
            return GifPicture(EncodeGif(CoverPicture(LeadingNumber(book->id))));
        }
    }
    if (parts.size() == 3 && parts[0] == "chapterpic") {
        const Book* book = FindBook(site, parts[1]);
        if (book && book->imageChapter > 0 &&
            ChapterOfFile(*book, parts[2], ".gif") == book->imageChapter) {
            return GifPicture(
                EncodeGif(ChapterPicture(ChapterFileNumber(*book, book->imageChapter))));
        }
    }
    return {0, {}, {}};
}

std::string ChapterBodyHtml(const Book& book, int chapter, std::string_view extras) {
    if (chapter == book.imageChapter) {
        return "<img src=\"" + ChapterPicturePath(book, chapter) +
               "\" border=\"0\" class=\"imagecontent\" /><br />";
    }
    std::string html(extras);
    std::vector<std::string> paragraphs = ChapterParagraphs(book, chapter);
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        html += kIndent;
        html += paragraphs[i];
        if (i == 1) {
            html += kWatermark; // the sites' anti-copy marker, which the filter removes
        }
        html += "<br /><br />";
    }
    return html;
}

std::string IntroductionHtml(const Book& book) {
    std::string html;
    for (const std::string& p : Introduction(book)) {
        html += std::string(kIndent) + p + "<br />";
    }
    return html;
}

int ChapterOfFile(const Book& book, std::string_view fileName, std::string_view suffix) {
    if (!EndsWith(fileName, suffix)) {
        return 0;
    }
    std::string_view digits = fileName.substr(0, fileName.size() - suffix.size());
    long long number = LeadingNumber(digits);
    if (number < 0 || std::to_string(number) != digits) {
        return 0;
    }
    return ChapterOfFileNumber(book, number);
}

const Book* BookAt(int site, std::string_view prefix, std::string_view id) {
    const Book* book = FindBook(site, id);
    return book && IdPrefix(book->id) == prefix ? book : nullptr;
}

Page CatalogueHome(int site, std::string_view siteName,
                   std::string (*bookPagePath)(const Book& book)) {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", siteName, " - 本地演示站</title></head><body><ul>"});
    for (const Book& b : Catalogue(site)) {
        Line(p, {"<li><a href=\"", bookPagePath(b), "\">", b.title, "</a> ", b.author, "</li>"});
    }
    Line(p, {"</ul></body></html>"});
    return GbkHtml(p);
}

} // namespace lanxi::demo
