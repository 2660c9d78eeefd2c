// Speed of the text operations on page sizes the reader meets.
#include "net/http_client.h"
#include "reader/local_text.h"
#include "rules/extraction.h"
#include "rules/regex.h"
#include "rules/site_rules.h"
#include "support/temp_home.h"
#include "text/gbk_convert.h"
#include "text/gbk_text.h"
#include "tools/demo_site/demo_site.h"

#include <benchmark/benchmark.h>

using namespace lanxi;
using namespace lanxi::literals;

namespace {

// A chapter page of about `bytes` bytes with the markup the default list cleans.
std::string chapterPage(size_t bytes) {
    const std::string paragraph =
        "&nbsp;&nbsp;&nbsp;&nbsp;他抬起头，望着远处的群山，&ldquo;明天再走吧。&rdquo;<br /><br />"_gbk +
        "<p>夜色渐深&hellip;&hellip;<span class=\"wartermark\"></span></p>"_gbk;
    std::string page = "<html><head><title>书名最新章节， 第一章- RD中文网</title></head><body>"
                       "<div id=\"BookText\">"_gbk;
    while (page.size() < bytes) {
        page += paragraph;
    }
    page += "</div><script src=\"/js/gg2.js\"></script></body></html>";
    return page;
}

void BM_ApplyHtmlFilter_100KB(benchmark::State& state) {
    test::TempHome home;
    const std::string list = ReadRule("普通信息"_gbk, "HTML", "", 0);
    const std::string page = chapterPage(100 * 1024);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyHtmlFilterList(page, list));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ApplyHtmlFilter_100KB)->Unit(benchmark::kMicrosecond);

void BM_ApplyHtmlFilterWithRuleRead_100KB(benchmark::State& state) {
    test::TempHome home;
    const std::string page = chapterPage(100 * 1024);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyHtmlFilter(page));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ApplyHtmlFilterWithRuleRead_100KB)->Unit(benchmark::kMicrosecond);

void BM_ExtractBetween_1MB(benchmark::State& state) {
    const std::string page = chapterPage(1024 * 1024);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ExtractBetween(page, "<div id=\"BookText\">", "<script src=\"/js/gg2.js\"></script>"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ExtractBetween_1MB)->Unit(benchmark::kMicrosecond);

void BM_FindAllDirectory_5000(benchmark::State& state) {
    std::string page;
    for (int i = 1; i <= 5000; ++i) {
        page += "<li><a href=\"" + std::to_string(1000000 + i) + ".html\">第"_gbk +
                std::to_string(i) + "章 风起云涌</a></li>\r\n"_gbk;
    }
    Regex re("<li><a href=\"(.*?)\">(.*?)</a></li>");
    for (auto _ : state) {
        auto matches = re.findAll(page);
        if (matches.size() != 5000) {
            state.SkipWithError("wrong match count");
        }
        benchmark::DoNotOptimize(matches);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_FindAllDirectory_5000)->Unit(benchmark::kMillisecond);

void BM_ToFullWidth_10MB(benchmark::State& state) {
    std::string text;
    const std::string line = "Chapter 12: the road ~ home, 第十二章 回家的路\r\n"_gbk;
    while (text.size() < 10 * 1024 * 1024) {
        text += line;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(gbk::toFullWidth(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ToFullWidth_10MB)->Unit(benchmark::kMillisecond);

// Fetch-to-body time of a 100 KB page from the demo sites over loopback.
void BM_FetchPage_100KB(benchmark::State& state) {
    test::TempHome home;
    demo::DemoSite site;
    if (!site.start(0)) {
        state.SkipWithError("the demo site did not start");
        return;
    }
    HttpRequest request;
    request.url = "http://rdzw.localhost:" + std::to_string(site.port()) + "/test/page?kb=100";
    for (auto _ : state) {
        std::string body = HttpFetch(request);
        if (body.size() != 100 * 1024) {
            state.SkipWithError("wrong body size");
        }
        benchmark::DoNotOptimize(body);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 100 * 1024));
}
BENCHMARK(BM_FetchPage_100KB)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 100 MB novel: Chinese paragraphs with some Latin text, one line break per paragraph.
class LargeTextFile {
public:
    LargeTextFile() {
        const std::string paragraph =
            "　　他抬起头，望着远处的群山，说道：“明天再走吧。”Chapter 12 ~ 夜色渐深。\r\n"_gbk;
        std::string text;
        text.reserve(100u * 1024 * 1024 + paragraph.size());
        while (text.size() < 100u * 1024 * 1024) {
            text += paragraph;
        }
        test::WriteBytes(home_.root() / "novel.txt", text);
    }
    std::filesystem::path path() const { return home_.root() / "novel.txt"; }

private:
    test::TempHome home_;
};

void BM_OpenLocalText_100MB(benchmark::State& state) {
    LargeTextFile file;
    for (auto _ : state) {
        std::string text = LoadLocalText(file.path());
        LocalPage page = ComputeLocalPage(text, PageDirection::First, false, "", "");
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_OpenLocalText_100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_LocalPageNearTheEnd_100MB(benchmark::State& state) {
    LargeTextFile file;
    const std::string text = LoadLocalText(file.path());
    const std::string position = std::to_string(text.size() - 30000);
    for (auto _ : state) {
        LocalPage page = ComputeLocalPage(text, PageDirection::Next, true, "", position);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LocalPageNearTheEnd_100MB)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
