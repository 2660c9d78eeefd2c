#include "tools/demo_site/catalogue.h"

#include "text/gbk_convert.h"
#include "text/gbk_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace lanxi::demo {

namespace {

// A small fixed vocabulary; every text of the sites is put together from it.
constexpr std::array kSubjects{"少年", "老人", "书生", "掌柜", "少女", "剑客", "渔夫", "先生"};
constexpr std::array kPlaces{"山门", "古道", "渡口", "书院", "长街",
                             "石桥", "城楼", "竹林", "江边", "小院"};
constexpr std::array kEvents{"初见", "夜话", "论剑", "听雨", "归来", "远行",
                             "问路", "重逢", "别离", "试炼", "闲谈", "夜行"};
constexpr std::array kActions{"静静地望着", "慢慢走向",   "低头看着",
                              "抬手指向",   "回头望了望", "轻轻拂过"};
constexpr std::array kObjects{"远处的灯火", "门前的老树", "天边的流云", "桌上的旧书",
                              "檐下的风铃", "河面的月光", "墙角的青苔"};
constexpr std::array kFeelings{"心中一片安宁", "不知在想些什么", "忽然笑了起来",
                               "久久没有说话", "眉头渐渐舒展",   "觉得这一天格外漫长"};
constexpr std::array kQuotes{"今晚的月色真好",   "明日还要早些起程", "这条路我走过许多回",
                             "书里说的未必都对", "等雨停了再走吧",   "茶要趁热喝"};
constexpr std::array kWeathers{"夜风", "细雨", "晨雾", "暮色", "初雪", "春风"};

// Filler books: enough titles and authors that searches and listings run over several pages.
constexpr std::array kTitleHeads{"青锋", "烟雨", "孤城", "长夜", "流云", "寒江", "紫竹"};
constexpr std::array kTitleTails{"传", "记", "录", "志", "行", "谣"};
constexpr std::array kAuthors{"青云客", "南山樵夫", "墨白", "听潮生", "北辰", "白石"};
constexpr std::array kCategories{3, 17, 25, 9, 12, 1, 7};
constexpr int kFillerBooks = 42;

// splitmix64: tiny, well mixed, and the same on every platform.
class TextRandom {
public:
    TextRandom(const Book& book, int chapter, int purpose)
        : state_(static_cast<std::uint64_t>(LeadingDigits(book.id)) * 1'000'003ULL +
                 static_cast<std::uint64_t>(chapter) * 7919ULL +
                 static_cast<std::uint64_t>(purpose)) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    template <typename Words> std::string pick(const Words& words) {
        return words[static_cast<size_t>(below(static_cast<int>(words.size())))];
    }

    static long long LeadingDigits(std::string_view id) {
        long long n = 0;
        for (char c : id) {
            n = n * 10 + (c - '0');
        }
        return n;
    }

private:
    std::uint64_t state_;
};

std::string Sentence(TextRandom& random) {
    switch (random.below(4)) {
    case 0:
    case 1:
        return random.pick(kSubjects) + "在" + random.pick(kPlaces) + random.pick(kActions) +
               random.pick(kObjects) + "，" + random.pick(kFeelings) + "。";
    case 2:
        return random.pick(kSubjects) + "说道：&ldquo;" + random.pick(kQuotes) + "。&rdquo;";
    default:
        return random.pick(kWeathers) + "掠过" + random.pick(kPlaces) + "，" +
               random.pick(kObjects) + "显得格外安静。";
    }
}

std::string Paragraph(TextRandom& random) {
    std::string text;
    int sentences = 2 + random.below(3);
    for (int i = 0; i < sentences; ++i) {
        text += Sentence(random);
    }
    return text;
}

std::vector<Book> FeaturedBooks(int site) {
    if (site == kKanshuzhan) {
        return {
            {"3456", "沧海行舟", "听潮生", 12, 3050, false, 0, true},
            {"4321", "雪夜归人", "北辰", 1, 15, true, 0, false},
            {"6789", "云间画卷", "墨白", 7, 8, false, 2, true},
            {"96", "灯下旧事", "听潮生", 3, 5, true, 0, false},
        };
    }
    return {
        {"1234", "星河长歌", "青云客", 3, 3200, false, 0, true},
        {"2445", "竹林听雨", "南山樵夫", 17, 12, true, 0, false},
        {"5678", "画中山水", "墨白", 25, 9, false, 3, true},
        {"789", "小镇来信", "青云客", 9, 6, true, 0, false},
    };
}

std::vector<Book> BuildCatalogue(int site) {
    std::vector<Book> books = FeaturedBooks(site);
    int firstFillerId = site == kKanshuzhan ? 5100 : 1100;
    for (int i = 0; i < kFillerBooks; ++i) {
        Book b;
        b.id = std::to_string(firstFillerId + i);
        b.title = std::string(kTitleHeads[i % kTitleHeads.size()]) +
                  kTitleTails[static_cast<size_t>(i) / kTitleHeads.size()];
        b.author = kAuthors[i % kAuthors.size()];
        b.category = kCategories[static_cast<size_t>(i * 3) % kCategories.size()];
        b.chapterCount = 20 + i % 5;
        b.finished = i % 3 == 0;
        b.hasCover = i % 2 == 0;
        books.push_back(std::move(b));
    }
    return books;
}

std::string Printf2(const char* format, int a, int b) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

BookListPage Slice(const std::vector<const Book*>& books, long long page, int pageCount,
                   bool evenSplit, int rowsPerPage) {
    BookListPage out;
    if (books.empty()) {
        return out;
    }
    long long n = static_cast<long long>(books.size());
    out.total = pageCount;
    out.current = static_cast<int>(std::clamp(page, 1LL, static_cast<long long>(pageCount)));
    long long first = evenSplit ? (out.current - 1) * n / pageCount
                                : static_cast<long long>(out.current - 1) * rowsPerPage;
    long long last = evenSplit ? out.current * n / pageCount
                               : std::min(n, static_cast<long long>(out.current) * rowsPerPage);
    out.rows.assign(books.begin() + first, books.begin() + last);
    return out;
}

} // namespace

const std::vector<Book>& Catalogue(int site) {
    static const std::vector<Book> rdzw = BuildCatalogue(kRdzw);
    static const std::vector<Book> kanshuzhan = BuildCatalogue(kKanshuzhan);
    return site == kKanshuzhan ? kanshuzhan : rdzw;
}

const Book* FindBook(int site, std::string_view id) {
    for (const Book& b : Catalogue(site)) {
        if (b.id == id) {
            return &b;
        }
    }
    return nullptr;
}

std::string IdPrefix(std::string_view id) {
    return id.size() >= 4 ? std::string(id.substr(0, 1)) : std::string("0");
}

long long ChapterFileNumber(const Book& book, int chapter) {
    return TextRandom::LeadingDigits(book.id) * 10000 + chapter;
}

int ChapterOfFileNumber(const Book& book, long long fileNumber) {
    long long chapter = fileNumber - TextRandom::LeadingDigits(book.id) * 10000;
    return chapter >= 1 && chapter <= book.chapterCount ? static_cast<int>(chapter) : 0;
}

std::string ChapterTitle(const Book& book, int chapter) {
    TextRandom random(book, chapter, 1);
    return "第" + std::to_string(chapter) + "章 " + random.pick(kPlaces) + random.pick(kEvents);
}

std::vector<std::string> ChapterParagraphs(const Book& book, int chapter) {
    TextRandom random(book, chapter, 2);
    std::vector<std::string> paragraphs(static_cast<size_t>(8 + random.below(6)));
    for (std::string& p : paragraphs) {
        p = Paragraph(random);
    }
    return paragraphs;
}

std::vector<std::string> Introduction(const Book& book) {
    TextRandom random(book, 0, 3);
    return {"《" + book.title + "》讲的是一位" + random.pick(kSubjects) + "从" +
                random.pick(kPlaces) + "出发的故事。" + Paragraph(random),
            "本书是本地演示站点生成的示例文字，只供试用阅读器。"};
}

std::string UpdateDate(const Book& book) {
    long long n = TextRandom::LeadingDigits(book.id);
    return Printf2("2024-%02d-%02d", static_cast<int>(1 + n % 12), static_cast<int>(1 + n % 28));
}

std::string ChapterTime(const Book& book, int chapter) {
    int day = static_cast<int>(TextRandom::LeadingDigits(book.id) % 100) + chapter - 1;
    std::string date = Printf2("%04d-%02d", 2020 + day / 336, 1 + day / 28 % 12);
    return date + Printf2("-%02d %02d:00:00", 1 + day % 28, 8 + day % 12);
}

std::string StatusText(const Book& book) {
    return book.finished ? "已完成" : "连载中";
}

std::string WordCount(const Book& book) {
    return std::to_string(book.chapterCount * 3) + "K";
}

std::string CategoryName(int category) {
    switch (category) {
    case 3:
        return "玄幻魔法";
    case 17:
        return "武侠修真";
    case 25:
        return "都市言情";
    case 9:
        return "异术超能";
    case 12:
        return "架空历史";
    case 1:
        return "科幻灵异";
    case 7:
        return "网游竞技";
    default:
        return "全部小说";
    }
}

const std::vector<int>& CategoryNumbers() {
    static const std::vector<int> numbers{0, 1, 3, 7, 9, 12, 17, 25};
    return numbers;
}

std::vector<const Book*> SearchBooks(int site, SearchField field, std::string_view keywordGbk) {
    std::vector<const Book*> found;
    if (keywordGbk.empty()) {
        return found;
    }
    for (const Book& b : Catalogue(site)) {
        std::string text = Utf8ToGbk(field == SearchField::kTitle ? b.title : b.author);
        if (gbk::find(text, keywordGbk) != gbk::kNotFound) {
            found.push_back(&b);
        }
    }
    return found;
}

BookListPage SearchResultPage(const std::vector<const Book*>& found, long long page) {
    int pages = static_cast<int>((found.size() + kSearchRowsPerPage - 1) / kSearchRowsPerPage);
    return Slice(found, page, pages, false, kSearchRowsPerPage);
}

BookListPage CategoryListingPage(int site, int category, long long page) {
    std::vector<const Book*> books;
    for (const Book& b : Catalogue(site)) {
        if (category == 0 || b.category == category) {
            books.push_back(&b);
        }
    }
    if (books.size() < static_cast<size_t>(kListingPages)) {
        return {}; // an unknown category: an empty listing
    }
    return Slice(books, page, kListingPages, true, 0);
}

} // namespace lanxi::demo
