#pragma once
// Regular expressions as the rule files use them: Perl syntax, case-sensitive, "." also
// matches line breaks, all non-overlapping matches from left to right. A pattern that does
// not compile, or a match that runs past the engine's complexity limit on a hostile page,
// gives no matches rather than an exception. An empty pattern (a missing rule key) matches
// nothing, instead of an empty match at every byte.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lanxi {

struct RegexMatch {
    std::vector<std::string> groups; // [0] is the whole match; groups that did not take part are ""
};

class Regex {
public:
    Regex();
    explicit Regex(std::string_view pattern);
    ~Regex();
    Regex(Regex&&) noexcept;
    Regex& operator=(Regex&&) noexcept;

    bool compile(std::string_view pattern);
    bool valid() const;
    std::vector<RegexMatch> findAll(std::string_view text) const;
    std::optional<RegexMatch> findFirst(std::string_view text) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Compiles and searches in one step.
std::vector<RegexMatch> findAll(std::string_view pattern, std::string_view text);
std::optional<RegexMatch> findFirst(std::string_view pattern, std::string_view text);

// Text of group n (1 for the first parenthesised group); "" for a group the pattern lacks.
std::string group(const RegexMatch& match, int n);

} // namespace lanxi
