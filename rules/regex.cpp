#include "rules/regex.h"

#include "text/gbk_text.h"

#include <boost/regex.hpp>

#include <algorithm>
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

using Cursor = std::string_view::const_iterator;

RegexMatch toMatch(const boost::match_results<Cursor>& found) {
    RegexMatch m;
    m.groups.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        const auto& g = found[static_cast<int>(i)];
        m.groups.push_back(g.matched ? g.str() : std::string());
    }
    return m;
}

// Character starts of a GBK text, asked for at offsets that never decrease.
class CharacterWalk {
public:
    explicit CharacterWalk(std::string_view text) : text_(text) {}
    bool startsCharacter(size_t offset) {
        advanceTo(offset);
        return at_ == offset;
    }
    // The first character start after `offset` (the text's end at the latest).
    size_t nextStart(size_t offset) {
        advanceTo(offset);
        if (at_ == offset) {
            advanceTo(offset + 1);
        }
        return at_;
    }

private:
    void advanceTo(size_t offset) {
        while (at_ < offset) {
            // A lead byte at the very end has no second byte: the text ends there.
            at_ = std::min(at_ + (gbk::isLeadByte(static_cast<unsigned char>(text_[at_])) ? 2 : 1),
                           text_.size());
        }
    }
    std::string_view text_;
    size_t at_ = 0;
};

// Up to `limit` matches from the left (0: all), as Perl finds them: after an empty match a
// non-empty one is tried at the same place before the search moves on. The engine sees bytes,
// so a match that would begin on the second byte of a Chinese character is passed over, and
// moving on after an empty match steps a whole character, so a pattern that can match nothing
// still ends.
std::vector<RegexMatch> search(const boost::regex& re, std::string_view text, size_t limit) {
    std::vector<RegexMatch> matches;
    CharacterWalk walk(text);
    const Cursor begin = text.begin();
    const Cursor end = text.end();
    Cursor from = begin;
    bool afterEmpty = false;
    try {
        boost::match_results<Cursor> found;
        for (;;) {
            auto flags = from == begin ? boost::match_default : boost::match_prev_avail;
            if (afterEmpty) {
                flags |= boost::match_not_null | boost::match_continuous;
            }
            if (!boost::regex_search(from, end, found, re, flags)) {
                if (!afterEmpty) {
                    break;
                }
                afterEmpty = false;
                from = begin + static_cast<std::ptrdiff_t>(
                                   walk.nextStart(static_cast<size_t>(from - begin)));
                continue;
            }
            const size_t start = static_cast<size_t>(found[0].first - begin);
            if (!walk.startsCharacter(start)) {
                from = begin + static_cast<std::ptrdiff_t>(walk.nextStart(start));
                continue;
            }
            matches.push_back(toMatch(found));
            if (limit != 0 && matches.size() == limit) {
                break;
            }
            afterEmpty = found[0].second == found[0].first;
            if (afterEmpty && found[0].second == end) {
                break;
            }
            from = found[0].second;
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
