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

std::vector<RegexMatch> Regex::findAll(std::string_view text) const {
    std::vector<RegexMatch> matches;
    if (!impl_->ok) {
        return matches;
    }
    try {
        // The iterator retries an empty match as non-empty and otherwise steps one byte on,
        // so a pattern that can match nothing still ends.
        using Iterator = boost::regex_iterator<std::string_view::const_iterator>;
        for (Iterator it(text.begin(), text.end(), impl_->re), end; it != end; ++it) {
            RegexMatch m;
            m.groups.reserve(it->size());
            for (size_t i = 0; i < it->size(); ++i) {
                m.groups.push_back((*it)[static_cast<int>(i)].matched
                                       ? (*it)[static_cast<int>(i)].str()
                                       : std::string());
            }
            matches.push_back(std::move(m));
        }
    } catch (const std::runtime_error&) {
        // Complexity or memory limit reached: a hostile page yields nothing.
        matches.clear();
    }
    return matches;
}

std::vector<RegexMatch> findAll(std::string_view pattern, std::string_view text) {
    return Regex(pattern).findAll(text);
}

std::string group(const RegexMatch& match, int n) {
    if (n < 0 || static_cast<size_t>(n) >= match.groups.size()) {
        return {};
    }
    return match.groups[static_cast<size_t>(n)];
}

} // namespace lanxi
