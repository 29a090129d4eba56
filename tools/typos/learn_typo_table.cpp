// Learns the Likely Typos edit table from a list of common misspellings and
// writes it to standard output; scripts/learn-typo-table puts it in place.
// Usage: learn-typo-table MISSPELLINGS-FILE
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/typos/edit_model.h"
#include "core/typos/typo_pairs.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: learn-typo-table MISSPELLINGS-FILE\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "learn-typo-table: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::ostringstream text;
    text << file.rdbuf();
    wv::EditCounts counts;
    for (const wv::TypoPair& pair : wv::ParseTypoPairs(text.str())) counts.Learn(pair.typed, pair.intended);
    std::cout << counts.ToText();
    std::cout.flush();  // a table cut short by a full disk must not count as written
    return std::cout ? 0 : 1;
}
