#pragma once
// The date test of the results list's sort: wx's free-form parser, which
// knows the user's usual date and time forms ("2024-01-05", "5/1/2024",
// "5 Jan 2024 12:30", "12:30", "today", "Monday").  The whole text must be
// one date, time or both.
//
// Most cells of a run are words that cannot be dates, so a cheap test turns
// away every text without a digit unless one of its words begins like one of
// the few date words the parser knows without digits (day names, month
// names, "today", "noon", ...).  Call from one thread at a time.
#include <string>
#include <string_view>
#include <vector>

#include "results/row_compare.h"

namespace wv {

class DateTextParser {
public:
    DateTextParser();  // collects the date words of the current locale

    // False only for texts the full parse would reject too.
    bool MayBeDate(std::string_view text) const;
    // Seconds since 1899-12-30 00:00 local time; a time alone counts on that day.
    bool Parse(std::string_view text, double& when) const;

private:
    std::vector<std::string> m_words[26];  // upper-case date words by first letter
};

// A DateParser over one shared DateTextParser.
DateParser MakeDateParser();

} // namespace wv
