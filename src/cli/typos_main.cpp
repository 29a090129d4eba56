// wordvane-typos: Likely Typos on the command line, for scripts and for
// checking the engine without the window.
//
// Input is hostile: a line may be gigabytes long or not text at all.  Lines
// are read in bounded pieces and each keyword's variants are written as soon
// as they are made, so memory stays small whatever comes in.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "core/dictionary/word_trie.h"
#include "core/results/csv_export.h"
#include "core/text/bounded_line.h"
#include "core/text/cp1252.h"
#include "core/text/utf8.h"
#include "core/typos/likely_typos.h"

using wv::WordTrie;

namespace {

constexpr std::string_view kUsage =
    "usage: wordvane-typos [--max N] [--dict FILE] [--csv] [--] [KEYWORD...]\n"
    "Prints the likeliest misspellings of each keyword (read one a line from\n"
    "standard input when none is given), one a line:\n"
    "keyword TAB rank TAB variant TAB kind\n"
    "  --max N      at most N variants a keyword (default 100, at most 100000)\n"
    "  --dict FILE  leave out variants that are words of this word list\n"
    "  --csv        CSV for spreadsheets instead, as the window's export writes it\n"
    "  --           the arguments after it are keywords, even those starting with -\n"
    "Text is UTF-8; input that is not valid UTF-8 is read as Windows-1252.\n";

constexpr std::size_t kMaxVariantsAsked = 100000;

// Bytes of a line kept: kMaxTypoText characters even at four UTF-8 bytes
// each, after a character cut in two at the end is dropped.
constexpr std::size_t kLineBytes = 4 * wv::kMaxTypoText + 4;

int Usage(std::string_view problem) {
    std::cerr << "wordvane-typos: " << problem << '\n' << kUsage;
    return 2;
}

// The keyword as the engine sees it and column 1 prints it: in Windows-1252,
// tabs and line breaks as spaces (they would break the output's lines and
// columns), cut to the engine's length: as in the window, words past the
// ones the engine varies are carried unchanged, not dropped.  `where` names it in the note on a
// cut.
std::string Keyword(std::string_view raw, bool rawCut, const std::string& where) {
    if (rawCut) raw = raw.substr(0, wv::WithoutCutUtf8Tail(raw));
    std::string keyword = wv::InputTextToCp1252(raw);
    for (char& c : keyword)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    if (rawCut || keyword.size() > wv::kMaxTypoText) {
        keyword.resize(std::min(keyword.size(), wv::kMaxTypoText));
        std::cerr << "wordvane-typos: " << where << ": keyword cut to its first " << wv::kMaxTypoText
                  << " characters\n";
    }
    return keyword;
}

class Printer {
public:
    Printer(const wv::TypoOptions& options, bool csv) : m_options(options), m_csv(csv) {
        if (!m_csv) return;
        m_out = wv::kUtf8ByteOrderMark;
        Record({"Keyword", "Rank", "Misspelt Keyword", "Kind"});
        Flush();
    }

    // Prints one keyword's variants and hands them to standard output.
    void Print(std::string_view keyword) {
        std::size_t rank = 0;
        for (const wv::Typo& typo : wv::LikelyTypos(keyword, m_options)) {
            const std::string number = std::to_string(++rank);
            if (m_csv) {
                Record({keyword, number, typo.variant, wv::TypoKindName(typo.kind)});
            } else {
                wv::AppendCp1252AsUtf8(m_out, keyword);
                m_out.append(1, '\t').append(number).append(1, '\t');
                wv::AppendCp1252AsUtf8(m_out, typo.variant);
                m_out.append(1, '\t').append(wv::TypoKindName(typo.kind)).append(1, '\n');
            }
            if (m_out.size() > (1u << 16)) Flush();
        }
        Flush();
    }

    // False once a write failed (a full disk, a closed pipe).
    bool Ok() const { return !std::ferror(stdout); }

private:
    // The export's quoting and its defence against cells a spreadsheet
    // would run as formulas.
    void Record(std::initializer_list<std::string_view> cells) {
        wv::AppendCsvRecord(m_out, std::span<const std::string_view>(cells.begin(), cells.size()));
    }

    void Flush() {
        std::fwrite(m_out.data(), 1, m_out.size(), stdout);
        std::fflush(stdout);
        m_out.clear();
    }

    const wv::TypoOptions& m_options;
    bool m_csv;
    std::string m_out;
};

// Keywords one a line from standard input.  1: a failure already reported.
int PrintStandardInput(Printer& printer) {
    struct stat status {};
    if (fstat(STDIN_FILENO, &status) == 0 && S_ISDIR(status.st_mode)) {
        std::cerr << "wordvane-typos: standard input is a directory\n";
        return 1;
    }
    std::string line;
    for (std::size_t number = 1; printer.Ok(); ++number) {
        const wv::LineRead read = wv::ReadBoundedLine(std::cin, line, kLineBytes);
        if (read == wv::LineRead::End) break;
        if (read == wv::LineRead::Line && !line.empty() && line.back() == '\r') line.pop_back();
        printer.Print(Keyword(line, read == wv::LineRead::Cut, "line " + std::to_string(number)));
    }
    if (std::cin.bad()) {
        std::cerr << "wordvane-typos: cannot read standard input\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Reads through the stream's own buffer, which reports a failed read
    // (badbit) where the C library's would look like the end of input.
    std::ios::sync_with_stdio(false);
    wv::TypoOptions options;
    std::string dictPath;
    bool csv = false;
    std::vector<std::string_view> keywords;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnd || arg.empty() || arg[0] != '-') {
            keywords.push_back(arg);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--csv") {
            csv = true;
        } else if (arg == "--max") {
            if (++i == argc) return Usage("--max needs a number");
            const std::string_view number = argv[i];
            std::size_t max = 0;
            auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), max);
            if (error != std::errc() || end != number.data() + number.size())
                return Usage("--max needs a number, not '" + std::string(number) + "'");
            if (max > kMaxVariantsAsked) return Usage("--max is at most " + std::to_string(kMaxVariantsAsked));
            options.maxVariants = max;
        } else if (arg == "--dict") {
            if (++i == argc) return Usage("--dict needs a file");
            dictPath = argv[i];
        } else {
            return Usage("unknown option '" + std::string(arg) + "'");
        }
    }

    WordTrie dictionary;
    if (!dictPath.empty()) {
        if (!dictionary.LoadWordList(dictPath, false)) {
            std::cerr << "wordvane-typos: cannot read word list " << dictPath << '\n';
            return 1;
        }
        options.isRealWord = [&](std::string_view word) { return dictionary.Contains(word); };
    }

    Printer printer(options, csv);
    if (keywords.empty()) {
        if (PrintStandardInput(printer) != 0) return 1;
    } else {
        for (std::size_t k = 0; k < keywords.size() && printer.Ok(); ++k)
            printer.Print(Keyword(keywords[k], false, "argument " + std::to_string(k + 1)));
    }
    // A write that failed on the way is kept in the stream's error flag:
    // output missing is a failure.
    return std::fflush(stdout) == 0 && printer.Ok() ? 0 : 1;
}
