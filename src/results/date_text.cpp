#include "results/date_text.h"

#include <algorithm>
#include <memory>

#include <wx/datetime.h>
#include <wx/intl.h>

#include "platform/code_page.h"

namespace wv {

namespace {

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char AsciiUpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Words wx's parser understands on their own, besides day and month names.
// Ordinals are kept in case a locale's parser spells days out.
const char* const kDateWords[] = {
    "today", "yesterday", "tomorrow", "noon", "midnight",
    "first", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth", "ninth",
    "tenth", "eleventh", "twelfth", "thirteenth", "fourteenth", "fifteenth", "sixteenth",
    "seventeenth", "eighteenth", "nineteenth", "twentieth", "twenty", "thirtieth", "thirty"};

wxDateTime BaseDay() { return wxDateTime(30, wxDateTime::Dec, 1899); }

} // namespace

DateTextParser::DateTextParser() {
    std::vector<wxString> words;
    for (const char* word : kDateWords) {
        words.emplace_back(word);
        words.push_back(wxGetTranslation(word));
    }
    for (int form : {wxDateTime::Name_Full, wxDateTime::Name_Abbr}) {
        auto flags = static_cast<wxDateTime::NameFlags>(form);
        for (int d = wxDateTime::Sun; d < wxDateTime::Inv_WeekDay; ++d) {
            auto day = static_cast<wxDateTime::WeekDay>(d);
            words.push_back(wxDateTime::GetWeekDayName(day, flags));
            words.push_back(wxDateTime::GetEnglishWeekDayName(day, flags));
        }
        for (int m = wxDateTime::Jan; m < wxDateTime::Inv_Month; ++m) {
            auto month = static_cast<wxDateTime::Month>(m);
            words.push_back(wxDateTime::GetMonthName(month, flags));
            words.push_back(wxDateTime::GetEnglishMonthName(month, flags));
        }
    }
    for (const wxString& word : words) {
        std::string bytes = ToAnsi(word.Upper());
        if (bytes.empty()) continue;
        // Words that do not start with an ASCII letter are covered by the
        // rule that any word with a byte above 0x7F may be a date.
        auto first = static_cast<unsigned char>(AsciiUpperChar(bytes[0]));
        if (first < 'A' || first > 'Z') continue;
        for (char& c : bytes) c = AsciiUpperChar(c);
        auto& bucket = m_words[first - 'A'];
        if (std::find(bucket.begin(), bucket.end(), bytes) == bucket.end())
            bucket.push_back(std::move(bytes));
    }
}

bool DateTextParser::MayBeDate(std::string_view text) const {
    for (char c : text)
        if (c >= '0' && c <= '9') return true;
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        if (!IsAsciiLetter(c) && c < 0x80) {
            ++i;
            continue;
        }
        size_t start = i;
        bool high = false;
        while (i < text.size()) {
            auto t = static_cast<unsigned char>(text[i]);
            if (!IsAsciiLetter(t) && t < 0x80) break;
            high |= t >= 0x80;
            ++i;
        }
        if (high) return true;
        std::string_view word = text.substr(start, i - start);
        for (const std::string& known : m_words[AsciiUpperChar(word[0]) - 'A']) {
            if (known.size() > word.size()) continue;
            bool same = true;
            for (size_t k = 0; k < known.size() && same; ++k)
                same = AsciiUpperChar(word[k]) == known[k];
            if (same) return true;
        }
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
    return [parser](std::string_view text, double& when) { return parser->Parse(text, when); };
}

} // namespace wv
