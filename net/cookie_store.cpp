#include "net/cookie_store.h"

#include "net/curl_global.h"
#include "platform/paths.h"

#include <curl/curl.h>

#include <array>
#include <mutex>
#include <system_error>

namespace lanxi {

struct CookieStore::Impl {
    CURLSH* share = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
    std::mutex saveMutex;

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<Impl*>(self)->locks[static_cast<size_t>(data)].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<Impl*>(self)->locks[static_cast<size_t>(data)].unlock();
    }
};

CookieStore::CookieStore(std::filesystem::path file)
    : impl_(std::make_unique<Impl>()), file_(std::move(file)) {
    EnsureCurlInitialised();
    impl_->share = curl_share_init();
    curl_share_setopt(impl_->share, CURLSHOPT_LOCKFUNC, &Impl::lock);
    curl_share_setopt(impl_->share, CURLSHOPT_UNLOCKFUNC, &Impl::unlock);
    curl_share_setopt(impl_->share, CURLSHOPT_USERDATA, impl_.get());
    curl_share_setopt(impl_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);

    std::error_code ec;
    if (std::filesystem::exists(file_, ec)) {
        CURL* h = curl_easy_init();
        curl_easy_setopt(h, CURLOPT_SHARE, impl_->share);
        curl_easy_setopt(h, CURLOPT_COOKIEFILE, file_.c_str());
        curl_easy_setopt(h, CURLOPT_COOKIELIST, "RELOAD");
        curl_easy_cleanup(h);
    }
}

CookieStore::~CookieStore() {
    curl_share_cleanup(impl_->share);
}

void CookieStore::attach(CURL* handle) {
    curl_easy_setopt(handle, CURLOPT_SHARE, impl_->share);
    curl_easy_setopt(handle, CURLOPT_COOKIEFILE, ""); // the engine on, no file read per request
}

void CookieStore::save() {
    std::lock_guard lock(impl_->saveMutex);
    std::error_code ec;
    if (file_.has_parent_path()) {
        std::filesystem::create_directories(file_.parent_path(), ec);
    }
    // libcurl writes the jar (through a temporary file) when a handle that names it goes away.
    CURL* h = curl_easy_init();
    curl_easy_setopt(h, CURLOPT_SHARE, impl_->share);
    curl_easy_setopt(h, CURLOPT_COOKIEJAR, file_.c_str());
    curl_easy_cleanup(h);
}

std::vector<std::string> CookieStore::lines() {
    std::vector<std::string> out;
    CURL* h = curl_easy_init();
    curl_easy_setopt(h, CURLOPT_SHARE, impl_->share);
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (curl_slist* item = list; item; item = item->next) {
            out.emplace_back(item->data);
        }
        curl_slist_free_all(list);
    }
    curl_easy_cleanup(h);
    return out;
}

CookieStore& SharedCookieStore() {
    // Never destroyed: workers may still be using it while the process ends.
    static CookieStore* store = new CookieStore(ConfigDirectory() / "岚溪_cookies.txt");
    return *store;
}

} // namespace lanxi
