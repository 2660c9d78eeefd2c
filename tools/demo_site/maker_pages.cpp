// The maker's pages: the update information and the announcement, written like the blog
// articles they stand in for, with the marked blocks inside the HTML.
#include "tools/demo_site/site_pages.h"

namespace lanxi::demo {

namespace {

Page UpdatePage(const PageRequest& request, std::string_view announcedVersion) {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>岚溪小说阅读器 更新信息</title></head><body>"});
    Line(p, {"<div class=\"article\">"});
    Line(p, {"<p>////开始<br>"});
    Line(p, {"最新版=", announcedVersion, "@@@<br>"});
    Line(p, {"下载地址=http://", request.hostHeader, "/download.html@@@<br>"});
    Line(p, {"下载方式=打开网页@@@<br>"});
    Line(p, {"更新说明=<p>本地演示站点公布的版本</p><p>新版本的说明写在这里</p>@@@<br>"});
    Line(p, {"强制更新=否@@@<br>"});
    Line(p, {"////结束</p>"});
    Line(p, {"</div></body></html>"});
    return GbkHtml(p);
}

Page NoticePage() {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>岚溪小说阅读器 公告</title></head><body>"});
    Line(p, {"<div class=\"article\">"});
    Line(p, {"========公告开始公告内容=欢迎使用&nbsp;岚溪小说阅读器|本地演示站点已经就绪，"
             "可以直接试读@@@状态内容=&ldquo;演示站点&rdquo;运行中@@@公告结束========"});
    Line(p, {"</div></body></html>"});
    return GbkHtml(p);
}

// A page of one title and one paragraph: the download, home and bug-report pages.
Page SimplePage(std::string_view title, std::string_view text) {
    std::string p;
    Line(p, {kHead});
    Line(p, {"<title>", title, "</title></head><body><p>", text, "</p></body></html>"});
    return GbkHtml(p);
}

} // namespace

Page MakerPage(const PageRequest& request, std::string_view announcedVersion) {
    if (request.path == "/update.html") {
        return UpdatePage(request, announcedVersion);
    }
    if (request.path == "/notice.html") {
        return NoticePage();
    }
    if (request.path == "/download.html") {
        return SimplePage("下载", "本地演示站点没有可下载的新版本。");
    }
    if (request.path == "/") {
        return SimplePage("岚溪小说阅读器", "岚溪小说阅读器的本地演示官网。");
    }
    if (request.path == "/bug.html") {
        return SimplePage("提交BUG", "请写下读取失败的网址和出现的提示，我们将尽快解决。");
    }
    return NotFoundPage();
}

} // namespace lanxi::demo
