// wordvane-typos: Likely Typos on the command line, for scripts and for
// checking the engine without the window.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/typos/likely_typos.h"
#include "core/dictionary/word_trie.h"

using wv::WordTrie;

namespace {

constexpr std::string_view kUsage =
    "usage: wordvane-typos [--max N] [--dict FILE] [--] [KEYWORD...]\n"
    "Prints the likeliest misspellings of each keyword (read one a line from\n"
    "standard input when none is given), one a line:\n"
    "keyword TAB rank TAB variant TAB kind\n"
    "  --max N      at most N variants a keyword (default 100)\n"
    "  --dict FILE  leave out variants that are words of this word list\n"
    "  --           the arguments after it are keywords, even those starting with -\n";

int Usage(std::string_view problem) {
    std::cerr << "wordvane-typos: " << problem << '\n' << kUsage;
    return 2;
}

// Output goes through one buffer: a thousand keywords make a hundred
// thousand lines, and stream formatting would dominate the run.
void Print(std::string_view keyword, const wv::TypoOptions& options, std::string& out) {
    std::size_t rank = 0;
    for (const wv::Typo& typo : wv::LikelyTypos(keyword, options)) {
        out.append(keyword).append(1, '\t').append(std::to_string(++rank)).append(1, '\t');
        out.append(typo.variant).append(1, '\t').append(wv::TypoKindName(typo.kind)).append(1, '\n');
    }
    if (out.size() > (1u << 16)) {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    }
}

} // namespace

int main(int argc, char** argv) {
    wv::TypoOptions options;
    std::string dictPath;
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
        } else if (arg == "--max") {
            if (++i == argc) return Usage("--max needs a number");
            const std::string_view number = argv[i];
            std::size_t max = 0;
            auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), max);
            if (error != std::errc() || end != number.data() + number.size())
                return Usage("--max needs a number, not '" + std::string(number) + "'");
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

    std::string out;
    if (!keywords.empty()) {
        for (std::string_view keyword : keywords) Print(keyword, options, out);
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            Print(line, options, out);
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    // A write that failed on the way (a full disk, a closed pipe) is kept in
    // the stream's error flag: output missing is a failure.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
