#include "core/typos/likely_typos.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "core/text/cp1252_case.h"
#include "core/typos/edit_model.h"

namespace wv {

std::string_view TypoKindName(TypoKind kind) {
    switch (kind) {
    case TypoKind::SwappedLetters: return "swapped letters";
    case TypoKind::MissingLetter: return "missing letter";
    case TypoKind::DoubledLetter: return "doubled letter";
    case TypoKind::SingledLetter: return "single letter of a double";
    case TypoKind::NeighbourKey: return "neighbouring key";
    case TypoKind::NeighbourKeyExtra: return "extra neighbouring key";
    case TypoKind::VowelSwap: return "vowel swap";
    case TypoKind::SoundAlike: return "sound-alike";
    case TypoKind::WrongLetter: return "wrong letter";
    case TypoKind::ExtraLetter: return "extra letter";
    case TypoKind::TwoSlips: return "two slips";
    }
    return "typo";
}

namespace {

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

bool IsVowel(int code) {
    return code == 'a' - 'a' || code == 'e' - 'a' || code == 'i' - 'a' || code == 'o' - 'a' || code == 'u' - 'a';
}

// For each letter, a bit per letter whose key touches it on a QWERTY board.
std::array<std::uint32_t, 26> KeyNeighbours() {
    constexpr std::string_view rows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    std::array<std::uint32_t, 26> masks{};
    auto link = [&](char a, char b) {
        masks[a - 'a'] |= 1u << (b - 'a');
        masks[b - 'a'] |= 1u << (a - 'a');
    };
    for (int r = 0; r < 3; ++r) {
        for (std::size_t k = 0; k < rows[r].size(); ++k) {
            if (k + 1 < rows[r].size()) link(rows[r][k], rows[r][k + 1]);
            if (r < 2) {  // each row sits half a key right of the one above
                if (k < rows[r + 1].size()) link(rows[r][k], rows[r + 1][k]);
                if (k > 0 && k - 1 < rows[r + 1].size()) link(rows[r][k], rows[r + 1][k - 1]);
            }
        }
    }
    return masks;
}

bool AreKeyNeighbours(int a, int b) {
    static const std::array<std::uint32_t, 26> masks = KeyNeighbours();
    return a < 26 && b < 26 && (masks[a] >> b & 1u);
}

struct Edit {
    enum Op : std::uint8_t { kNone, kDrop, kSwap, kReplace, kInsert, kRule } op = kNone;
    std::uint8_t pos = 0;  // first byte touched; an insert's gap
    std::uint8_t arg = 0;  // typed letter code, or rule index

    std::size_t End() const {
        switch (op) {
        case kSwap: return pos + 2u;
        case kDrop:
        case kReplace: return pos + 1u;
        case kRule: return pos + kSoundRules[arg].from.size();
        default: return pos;
        }
    }
    void ApplyTo(std::string& word) const {
        switch (op) {
        case kDrop: word.erase(pos, 1); break;
        case kSwap: std::swap(word[pos], word[pos + 1]); break;
        case kReplace: word[pos] = static_cast<char>('a' + arg); break;
        case kInsert: word.insert(pos, 1, static_cast<char>('a' + arg)); break;
        case kRule: word.replace(pos, kSoundRules[arg].from.size(), kSoundRules[arg].to); break;
        case kNone: break;
        }
    }
};

struct Candidate {
    float score;
    std::uint32_t order;  // generation order: ties rank the same every time
    std::uint8_t word;
    TypoKind kind;
    Edit first, second;   // second.op == kNone for a single slip
};

struct Word {
    std::size_t begin, end;
    bool quoted;
};

std::vector<Word> SplitWords(std::string_view keyword) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < keyword.size()) {
        if (keyword[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end;
        const bool quoted = keyword[at] == '"';
        if (quoted) {
            end = keyword.find('"', at + 1);
            end = end == std::string_view::npos ? keyword.size() : end + 1;
        } else {
            end = std::min(keyword.find(' ', at), keyword.size());
        }
        words.push_back({at, end, quoted});
        at = end;
    }
    return words;
}

// The slips of one folded word, scored, appended to the keyword's list.
class WordSlips {
public:
    WordSlips(const EditModel& model, std::string_view folded, std::uint8_t wordIndex,
              std::vector<Candidate>& out)
        : m_model(model), m_w(folded), m_word(wordIndex), m_out(out) {}

    void Generate();
    void AddPairs(std::size_t firstSingle);

private:
    int Code(int i) const {
        return i < 0 ? kStart : i >= static_cast<int>(m_w.size()) ? kEnd : LetterCode(m_w[i]);
    }
    bool Editable(int i) const { return i >= 0 && i < static_cast<int>(m_w.size()) && IsLetter(m_w[i]); }
    void Add(float score, TypoKind kind, Edit edit) {
        m_out.push_back({score, static_cast<std::uint32_t>(m_out.size()), m_word, kind, edit, {}});
    }

    const EditModel& m_model;
    std::string_view m_w;
    std::uint8_t m_word;
    std::vector<Candidate>& m_out;
};

void WordSlips::Generate() {
    const int n = static_cast<int>(m_w.size());
    for (int i = 0; i < n; ++i) {
        if (!Editable(i)) continue;
        const int p = Code(i - 1), x = Code(i), next = Code(i + 1);
        const auto pos = static_cast<std::uint8_t>(i);
        // A run of equal letters loses its last one: the same word whichever goes.
        if (n > 1 && !(i + 1 < n && m_w[i + 1] == m_w[i]))
            Add(m_model.Drop(p, x, next), i > 0 && m_w[i - 1] == m_w[i] ? TypoKind::SingledLetter : TypoKind::MissingLetter,
                {Edit::kDrop, pos, 0});
        if (Editable(i + 1) && m_w[i + 1] != m_w[i])
            Add(m_model.Swap(p, x, next, Code(i + 2)), TypoKind::SwappedLetters, {Edit::kSwap, pos, 0});
        for (int y = 0; y < 26; ++y) {
            if (y == x) continue;
            const TypoKind kind = IsVowel(x) && IsVowel(y) ? TypoKind::VowelSwap
                                  : AreKeyNeighbours(x, y) ? TypoKind::NeighbourKey
                                                           : TypoKind::WrongLetter;
            Add(m_model.Replace(p, x, y, next), kind, {Edit::kReplace, pos, static_cast<std::uint8_t>(y)});
        }
    }
    for (int g = 0; g <= n; ++g) {
        if (!Editable(g - 1) && !Editable(g)) continue;
        const int p = Code(g - 1), next = Code(g);
        for (int y = 0; y < 26; ++y) {
            if (y == next) continue;  // same word as typing it after the run
            const TypoKind kind = y == p ? TypoKind::DoubledLetter
                                  : AreKeyNeighbours(p, y) || AreKeyNeighbours(next, y) ? TypoKind::NeighbourKeyExtra
                                                                                        : TypoKind::ExtraLetter;
            Add(m_model.Insert(p, y, next), kind, {Edit::kInsert, static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(y)});
        }
    }
    for (std::size_t r = 0; r < kSoundRules.size(); ++r) {
        const SoundRule& rule = kSoundRules[r];
        for (std::size_t at = m_w.find(rule.from); at != std::string_view::npos; at = m_w.find(rule.from, at + 1)) {
            if (rule.atEnd && at + rule.from.size() != m_w.size()) continue;
            if (rule.to.empty() && rule.from.size() == m_w.size()) continue;
            Add(m_model.Rule(r), TypoKind::SoundAlike,
                {Edit::kRule, static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(r)});
        }
    }
}

// Two slips: people unsure of a word's spelling get its doubled letters and
// its vowels wrong together (ocurence, seperately), so the likeliest slips of
// those kinds are paired where they touch different, non-adjacent letters.
// Pairing other kinds too cost more list places than it found misspellings.
void WordSlips::AddPairs(std::size_t firstSingle) {
    constexpr std::size_t kPaired = 10;
    std::vector<Candidate> best;
    for (std::size_t i = firstSingle; i < m_out.size(); ++i) {
        const TypoKind k = m_out[i].kind;
        if (k == TypoKind::SingledLetter || k == TypoKind::DoubledLetter || k == TypoKind::VowelSwap)
            best.push_back(m_out[i]);
    }
    const std::size_t count = std::min(kPaired, best.size());
    std::partial_sort(best.begin(), best.begin() + static_cast<std::ptrdiff_t>(count), best.end(),
                      [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = 0; b < count; ++b) {
            const Edit& left = best[a].first;
            const Edit& right = best[b].first;
            if (left.End() >= right.pos) continue;
            m_out.push_back({best[a].score + best[b].score + m_model.SecondEdit(),
                             static_cast<std::uint32_t>(m_out.size()), m_word, TypoKind::TwoSlips, left, right});
        }
    }
}

std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerCp1252(c);
    return out;
}

// Each letter takes the case of the original word's letter at its place
// (past the original's end, of its last letter); other bytes stay.
std::string Recased(const std::string& folded, std::string_view original) {
    std::string out = folded;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char ref = original[std::min(i, original.size() - 1)];
        if (IsUpperCp1252(ref)) out[i] = UpperCp1252(out[i]);
    }
    return out;
}

} // namespace

std::vector<std::string> KeywordWords(std::string_view keyword) {
    keyword = keyword.substr(0, kMaxTypoKeyword);
    std::vector<std::string> words;
    for (const Word& word : SplitWords(keyword)) words.emplace_back(keyword.substr(word.begin, word.end - word.begin));
    return words;
}

std::vector<Typo> LikelyTypos(std::string_view keyword, const TypoOptions& options) {
    keyword = keyword.substr(0, kMaxTypoKeyword);
    const EditModel& model = options.model ? *options.model : BuiltInEditModel();
    const std::vector<Word> words = SplitWords(keyword);

    std::vector<std::string> folded(words.size());
    std::vector<Candidate> candidates;
    candidates.reserve(600 * words.size());
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (words[k].quoted) continue;
        folded[k] = Folded(keyword.substr(words[k].begin, words[k].end - words[k].begin));
        WordSlips slips(model, folded[k], static_cast<std::uint8_t>(k), candidates);
        const std::size_t first = candidates.size();
        slips.Generate();
        slips.AddPairs(first);
    }

    // Sound rules name slips that single edits also make (c for k); the
    // name wins whichever way the variant ranked first.
    std::vector<std::pair<std::uint8_t, std::string>> soundAlikes;
    auto build = [&](const Candidate& c) {
        std::string word = folded[c.word];
        if (c.second.op != Edit::kNone) c.second.ApplyTo(word);
        c.first.ApplyTo(word);
        return word;
    };
    for (const Candidate& c : candidates)
        if (c.kind == TypoKind::SoundAlike) soundAlikes.emplace_back(c.word, build(c));

    auto ranksBefore = [](const Candidate& a, const Candidate& b) {
        return a.score != b.score ? a.score > b.score : a.order < b.order;
    };
    std::vector<Typo> typos;
    std::unordered_set<std::string> seen;
    std::size_t sorted = 0;
    for (std::size_t i = 0; i < candidates.size() && typos.size() < options.maxVariants; ++i) {
        if (i == sorted) {  // rank the next slice only when the list needs it
            const std::size_t slice = std::min(candidates.size() - i, options.maxVariants + 64);
            auto from = candidates.begin() + static_cast<std::ptrdiff_t>(i);
            std::nth_element(from, from + static_cast<std::ptrdiff_t>(slice - 1), candidates.end(), ranksBefore);
            std::sort(from, from + static_cast<std::ptrdiff_t>(slice), ranksBefore);
            sorted = i + slice;
        }
        const Candidate& c = candidates[i];
        std::string word = build(c);
        if (word.empty() || word == folded[c.word]) continue;
        if (!seen.insert(static_cast<char>(c.word) + word).second) continue;

        const Word& at = words[c.word];
        const std::string_view original = keyword.substr(at.begin, at.end - at.begin);
        TypoKind kind = c.kind;
        for (const auto& [index, sound] : soundAlikes)
            if (index == c.word && sound == word) kind = TypoKind::SoundAlike;
        word = Recased(word, original);
        if (options.isRealWord && options.isRealWord(word)) continue;

        std::string variant;
        variant.reserve(keyword.size() + 2);
        variant.append(keyword.substr(0, at.begin)).append(word).append(keyword.substr(at.end));
        typos.push_back({std::move(variant), std::move(word), c.word, kind, std::exp(static_cast<double>(c.score))});
    }
    return typos;
}

} // namespace wv
