#include "rules/regex.h"

#include <boost/regex.hpp>

#include <stdexcept>

namespace lanxi {

struct Regex::Impl {
    boost::regex re;
    bool ok = false;
};

Regex::Regex() : impl_(std::make_unique<Impl>()) {}
Regex::Regex(std::string_view pattern) : Regex() {
    compile(pattern);
}
Regex::~Regex() = default;
Regex::Regex(Regex&&) noexcept = default;
Regex& Regex::operator=(Regex&&) noexcept = default;

bool Regex::compile(std::string_view pattern) {
    impl_->ok = false;
    if (pattern.empty()) {
        return false;
    }
    try {
        // mod_s: "." matches line breaks, as pages are matched across lines.
        impl_->re.assign(pattern.begin(), pattern.end(), boost::regex::perl | boost::regex::mod_s);
        impl_->ok = true;
    } catch (const std::runtime_error&) {
        impl_->ok = false;
    }
    return impl_->ok;
}

bool Regex::valid() const {
    return impl_->ok;
}

namespace {

using Iterator = boost::regex_iterator<std::string_view::const_iterator>;

RegexMatch toMatch(const Iterator::value_type& found) {
    RegexMatch m;
    m.groups.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        const auto& g = found[static_cast<int>(i)];
        m.groups.push_back(g.matched ? g.str() : std::string());
    }
    return m;
}

// Up to `limit` matches from the left (0: all).
std::vector<RegexMatch> search(const boost::regex& re, std::string_view text, size_t limit) {
    std::vector<RegexMatch> matches;
    try {
        // The iterator retries an empty match as non-empty and otherwise steps one byte on,
        // so a pattern that can match nothing still ends.
        for (Iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
            matches.push_back(toMatch(*it));
            if (limit != 0 && matches.size() == limit) {
                break;
            }
        }
    } catch (const std::runtime_error&) {
        // Complexity or memory limit reached: a hostile page yields nothing.
        matches.clear();
    }
    return matches;
}

} // namespace

std::vector<RegexMatch> Regex::findAll(std::string_view text) const {
    if (!impl_->ok) {
        return {};
    }
    return search(impl_->re, text, 0);
}

std::optional<RegexMatch> Regex::findFirst(std::string_view text) const {
    if (!impl_->ok) {
        return std::nullopt;
    }
    std::vector<RegexMatch> first = search(impl_->re, text, 1);
    if (first.empty()) {
        return std::nullopt;
    }
    return std::move(first.front());
}

std::vector<RegexMatch> findAll(std::string_view pattern, std::string_view text) {
    return Regex(pattern).findAll(text);
}

std::optional<RegexMatch> findFirst(std::string_view pattern, std::string_view text) {
    return Regex(pattern).findFirst(text);
}

std::string group(const RegexMatch& match, int n) {
    if (n < 0 || static_cast<size_t>(n) >= match.groups.size()) {
        return {};
    }
    return match.groups[static_cast<size_t>(n)];
}

} // namespace lanxi
