#include "platform/date_text.h"

#include <algorithm>
#include <memory>

#include <wx/datetime.h>
#include <wx/intl.h>

#include "core/text/cp1252.h"
#include "platform/code_page.h"

namespace wv {

namespace {

bool IsAsciiLetter(unsigned c) { return (c | 0x20) - 'a' < 26u; }

// Words wx's parser takes for a date or time without any digit.  The
// literals it matches at the start of what is left of the text, so they may
// run into the next word ("noontoday"); names and ordinals must be words of
// their own.  Ordinals are kept in case a locale's parser spells days out.
const char* const kLiteralWords[] = {"today", "yesterday", "tomorrow", "noon", "midnight"};
const char* const kOrdinalWords[] = {"first",      "second",     "third",     "fourth",    "fifth",       "sixth",
                                     "seventh",    "eighth",     "ninth",     "tenth",     "eleventh",    "twelfth",
                                     "thirteenth", "fourteenth", "fifteenth", "sixteenth", "seventeenth", "eighteenth",
                                     "nineteenth", "twentieth",  "twenty",    "thirtieth", "thirty"};

wxDateTime BaseDay() { return wxDateTime(30, wxDateTime::Dec, 1899); }

}  // namespace

void DateTextParser::AddWord(const wxString& word, bool asPrefix) {
    // Upper-cased as the sort texts are: ASCII only, whatever the locale.
    std::string bytes = AsciiUpper(ToAnsi(word));
    if (bytes.empty()) return;
    // Words that do not start with an ASCII letter are covered by the rule
    // that any word with a byte above 0x7F may be a date.
    auto first = static_cast<unsigned char>(bytes[0]);
    if (first < 'A' || first > 'Z') return;
    if (!asPrefix && bytes.size() < 64) m_wholeLengths[first - 'A'] |= uint64_t{1} << bytes.size();
    auto& bucket = (asPrefix ? m_prefixWords : m_wholeWords)[first - 'A'];
    if (std::find(bucket.begin(), bucket.end(), bytes) == bucket.end()) bucket.push_back(std::move(bytes));
}

DateTextParser::DateTextParser() {
    for (const char* word : kLiteralWords) {
        AddWord(word, true);
        AddWord(wxGetTranslation(word), true);
    }
    for (const char* word : kOrdinalWords) {
        AddWord(word, false);
        AddWord(wxGetTranslation(word), false);
    }
    for (int form : {wxDateTime::Name_Full, wxDateTime::Name_Abbr}) {
        auto flags = static_cast<wxDateTime::NameFlags>(form);
        for (int d = wxDateTime::Sun; d < wxDateTime::Inv_WeekDay; ++d) {
            auto day = static_cast<wxDateTime::WeekDay>(d);
            AddWord(wxDateTime::GetWeekDayName(day, flags), false);
            AddWord(wxDateTime::GetEnglishWeekDayName(day, flags), false);
        }
        for (int m = wxDateTime::Jan; m < wxDateTime::Inv_Month; ++m) {
            auto month = static_cast<wxDateTime::Month>(m);
            AddWord(wxDateTime::GetMonthName(month, flags), false);
            AddWord(wxDateTime::GetEnglishMonthName(month, flags), false);
        }
    }
}

bool DateTextParser::IsDateWord(std::string_view word) const {
    auto startsWith = [word](const std::string& known) {
        if (known.size() > word.size()) return false;
        for (size_t k = 0; k < known.size(); ++k)
            if (AsciiUpper(word[k]) != known[k]) return false;
        return true;
    };
    const size_t bucket = static_cast<size_t>(AsciiUpper(word[0]) - 'A');
    for (const std::string& known : m_prefixWords[bucket])
        if (startsWith(known)) return true;
    if (word.size() >= 64 || !(m_wholeLengths[bucket] >> word.size() & 1)) return false;
    for (const std::string& known : m_wholeWords[bucket])
        if (known.size() == word.size() && startsWith(known)) return true;
    return false;
}

bool DateTextParser::MayBeDate(std::string_view text) const {
    if (text.empty()) return false;
    // Words are runs of ASCII letters and bytes above 0x7F.
    size_t start = std::string_view::npos;
    bool high = false;
    for (size_t i = 0; i <= text.size(); ++i) {
        const unsigned c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
        if (c - '0' < 10u) return true;
        if (IsAsciiLetter(c) || c >= 0x80) {
            if (start == std::string_view::npos) start = i;
            high |= c >= 0x80;
            continue;
        }
        if (start == std::string_view::npos) continue;
        if (high || IsDateWord(text.substr(start, i - start))) return true;
        start = std::string_view::npos;
    }
    return false;
}

bool DateTextParser::Parse(std::string_view text, double& when) const {
    if (text.empty() || !MayBeDate(text)) return false;
    const wxString s = FromAnsi(text);
    wxString::const_iterator end;
    wxDateTime dt;
    if ((dt.ParseDateTime(s, &end) && end == s.end()) || (dt.ParseDate(s, &end) && end == s.end())) {
        when = (dt - BaseDay()).GetValue().ToDouble() / 1000.0;
        return true;
    }
    if (dt.ParseTime(s, &end) && end == s.end()) {
        wxDateTime::Tm tm = dt.GetTm();
        when = tm.hour * 3600.0 + tm.min * 60.0 + tm.sec + tm.msec / 1000.0;
        return true;
    }
    return false;
}

DateParser MakeDateParser() {
    auto parser = std::make_shared<const DateTextParser>();
    DateParser hooks;
    hooks.parse = [parser](std::string_view text, double& when) { return parser->Parse(text, when); };
    hooks.mayBeDateWord = [parser](std::string_view word) { return parser->IsDateWord(word); };
    return hooks;
}

}  // namespace wv
