#pragma once
// The date test of the results list's sort: wx's free-form parser, which
// knows the user's usual date and time forms ("2024-01-05", "5/1/2024",
// "5 Jan 2024 12:30", "12:30", "today", "Monday").  The whole text must be
// one date, time or both.
//
// Most cells of a run are words that cannot be dates, so a cheap test turns
// away every text without a digit unless one of its words is one of the few
// date words the parser knows without digits (day and month names, or
// starts with "today", "noon", ...).  Call from one thread at a time.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/results/row_compare.h"

class wxString;

namespace wv {

class DateTextParser {
public:
    DateTextParser();  // collects the date words of the current locale

    // False only for texts the full parse would reject too.
    bool MayBeDate(std::string_view text) const;
    // The same for one word of ASCII letters (not empty).
    bool IsDateWord(std::string_view word) const;
    // Seconds since 1899-12-30 00:00 local time; a time alone counts on that day.
    bool Parse(std::string_view text, double& when) const;

private:
    void AddWord(const wxString& word, bool asPrefix);

    // Upper-case date words by first letter: words that may run into the
    // next one, and words that stand alone.
    std::vector<std::string> m_prefixWords[26];
    std::vector<std::string> m_wholeWords[26];
    uint64_t m_wholeLengths[26] = {};  // bit n: some whole word has n letters
};

// A DateParser over one shared DateTextParser.
DateParser MakeDateParser();

}  // namespace wv
