#include "core/typos/word_slips.h"

#include <algorithm>
#include <array>

#include "core/typos/edit_model.h"
#include "core/typos/typo_text.h"

namespace wv {

namespace {

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

// How many of a word's likeliest single slips are paired with each other:
// past 20, more pairs found no more misspellings in cross-validation.
constexpr std::size_t kPaired = 20;

// Added to a slip's weight by its kind: the model weighs each slip by its
// letters alone, while some kinds of slip come in pairs far more often than
// others (people unsure of a double letter get the rest of the word wrong
// too: ocurrence), and the model's views count some kinds' letters more
// sharply than others'.  Chosen one at a time where the cross-validated
// recall at 100 variants peaked (all together about +0.5 points).
float KindBias(TypoKind kind) {
    switch (kind) {
    case TypoKind::SwappedLetters: return -0.8f;
    case TypoKind::MissingLetter: return -0.9f;
    case TypoKind::DoubledLetter: return 2.6f;
    case TypoKind::SingledLetter: return 4.0f;
    default: return 0;
    }
}

class WordSlips {
public:
    WordSlips(const EditModel& model, std::string_view folded, std::uint16_t wordIndex, std::vector<Slip>& out)
        : m_model(model), m_w(folded), m_n(static_cast<int>(folded.size())), m_word(wordIndex), m_out(out) {}

    void AddSingles();
    void AddPairs(std::size_t firstSingle);

private:
    int Code(int i) const { return i < 0 ? kStart : i >= m_n ? kEnd : LetterCode(m_w[i]); }
    bool Editable(int i) const { return i >= 0 && i < m_n && IsTypoLetter(m_w[i]); }
    float Place(SlipOp op, int at) const { return m_model.Place(op, PlaceOf(at, m_n)); }
    void Add(float score, TypoKind kind, Edit edit) {
        score += KindBias(kind);
        m_out.push_back({score, static_cast<std::uint32_t>(m_out.size()), m_word, kind, edit, {}});
    }

    const EditModel& m_model;
    std::string_view m_w;
    int m_n;
    std::uint16_t m_word;
    std::vector<Slip>& m_out;
};

void WordSlips::AddSingles() {
    for (int i = 0; i < m_n; ++i) {
        if (!Editable(i)) continue;
        const int p = Code(i - 1), x = Code(i), next = Code(i + 1);
        const auto pos = static_cast<std::uint8_t>(i);
        // A run of equal letters loses its last one: the same word whichever goes.
        if (m_n > 1 && !(i + 1 < m_n && m_w[i + 1] == m_w[i]))
            Add(m_model.Drop(p, x, next) + Place(kDropOp, i) +
                    (i > 0 && m_w[i - 1] == m_w[i] ? 0.0f : m_model.Echo(kDropEcho, Echoes(m_w, x, i, i + 1))),
                i > 0 && m_w[i - 1] == m_w[i] ? TypoKind::SingledLetter : TypoKind::MissingLetter,
                {Edit::kDrop, pos, 0});
        if (Editable(i + 1) && m_w[i + 1] != m_w[i])
            Add(m_model.Swap(p, x, next, Code(i + 2)) + Place(kSwapOp, i), TypoKind::SwappedLetters,
                {Edit::kSwap, pos, 0});
        const float place = Place(kReplaceOp, i);
        for (int y = 0; y < 26; ++y) {
            if (y == x) continue;
            const TypoKind kind = IsVowel(x) && IsVowel(y) ? TypoKind::VowelSwap
                                  : AreKeyNeighbours(x, y) ? TypoKind::NeighbourKey
                                                           : TypoKind::WrongLetter;
            Add(m_model.Replace(p, x, y, next) + place + m_model.Echo(kReplaceEcho, Echoes(m_w, y, i, i + 1)), kind,
                {Edit::kReplace, pos, static_cast<std::uint8_t>(y)});
        }
    }
    for (int g = 0; g <= m_n; ++g) {
        if (!Editable(g - 1) && !Editable(g)) continue;
        const int p = Code(g - 1), next = Code(g);
        const float place = Place(kInsertOp, g);
        for (int y = 0; y < 26; ++y) {
            if (y == next) continue;  // same word as typing it after the run
            const TypoKind kind = y == p                                                ? TypoKind::DoubledLetter
                                  : AreKeyNeighbours(p, y) || AreKeyNeighbours(next, y) ? TypoKind::NeighbourKeyExtra
                                                                                        : TypoKind::ExtraLetter;
            const float echo = y == p ? 0.0f : m_model.Echo(kInsertEcho, Echoes(m_w, y, g, g));
            Add(m_model.Insert(p, y, next) + place + echo, kind,
                {Edit::kInsert, static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(y)});
        }
    }
    for (std::size_t r = 0; r < kSoundRules.size(); ++r) {
        const SoundRule& rule = kSoundRules[r];
        for (std::size_t at = m_w.find(rule.from); at != std::string_view::npos; at = m_w.find(rule.from, at + 1)) {
            if (!SoundRuleFits(rule, m_w, at)) continue;
            Add(m_model.Rule(r), TypoKind::SoundAlike,
                {Edit::kRule, static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(r)});
        }
    }
}

// Two slips in one word, any two that touch different letters, weighed
// together: people unsure of a word get it wrong twice (jewlery, acomodate).
void WordSlips::AddPairs(std::size_t firstSingle) {
    const std::size_t singles = m_out.size() - firstSingle;
    const std::size_t count = std::min(kPaired, singles);
    std::vector<Slip> best(m_out.begin() + static_cast<std::ptrdiff_t>(firstSingle), m_out.end());
    std::partial_sort(best.begin(), best.begin() + static_cast<std::ptrdiff_t>(count), best.end(),
                      [](const Slip& a, const Slip& b) { return a.score > b.score; });
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = 0; b < count; ++b) {
            const Edit& left = best[a].first;
            const Edit& right = best[b].first;
            if (a == b || left.End() > right.pos) continue;
            m_out.push_back({best[a].score + best[b].score + m_model.SecondEdit(),
                             static_cast<std::uint32_t>(m_out.size()), m_word, TypoKind::TwoSlips, left, right});
        }
    }
}

bool IsSeparator(char c) { return c == ' ' || c == '-'; }

}  // namespace

std::size_t Edit::End() const {
    switch (op) {
    case kSwap: return pos + 2u;
    case kDrop:
    case kReplace: return pos + 1u;
    case kRule: return pos + kSoundRules[arg].from.size();
    default: return pos;
    }
}

void Edit::ApplyTo(std::string& word, std::string* caseMask) const {
    std::string ignored;
    std::string& mask = caseMask ? *caseMask : ignored;
    const bool masked = caseMask != nullptr;
    const auto letter = static_cast<char>('a' + arg);
    // A new letter's case: its left neighbour's, or its right one's at the start.
    auto caseAt = [&](std::size_t at) { return at > 0 ? mask[at - 1] : mask.empty() ? 'l' : mask[0]; };
    switch (op) {
    case kDrop:
        word.erase(pos, 1);
        if (masked) mask.erase(pos, 1);
        break;
    case kSwap:
        std::swap(word[pos], word[pos + 1]);
        if (masked) std::swap(mask[pos], mask[pos + 1u]);
        break;
    case kReplace: word[pos] = letter; break;
    case kInsert:
        if (masked) mask.insert(pos, 1, caseAt(pos));
        word.insert(pos, 1, letter);
        break;
    case kRule: {
        const SoundRule& rule = kSoundRules[arg];
        if (masked) mask.replace(pos, rule.from.size(), rule.to.size(), mask[pos]);
        word.replace(pos, rule.from.size(), rule.to);
        break;
    }
    case kJunction:
        if (pos < word.size() && IsSeparator(word[pos])) {
            if (arg)
                word[pos] = static_cast<char>(arg);
            else
                word.erase(pos, 1);
        } else {
            word.insert(pos, 1, static_cast<char>(arg));
        }
        break;
    case kNone: break;
    }
}

void AddWordSlips(const EditModel& model, std::string_view folded, std::uint16_t wordIndex, std::vector<Slip>& out) {
    WordSlips slips(model, folded, wordIndex, out);
    const std::size_t first = out.size();
    slips.AddSingles();
    slips.AddPairs(first);
}

void AddJunctionForms(std::string_view word, std::uint16_t wordIndex, std::vector<Slip>& out) {
    auto add = [&](std::size_t at, char separator) {
        out.push_back({kSpacingScore,
                       static_cast<std::uint32_t>(out.size()),
                       wordIndex,
                       TypoKind::Spacing,
                       {Edit::kJunction, static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(separator)},
                       {}});
    };
    auto alnum = [](char c) { return IsDigit(c) || IsTypoLetter(c); };
    for (std::size_t at = 1; at < word.size(); ++at) {
        const char before = word[at - 1], here = word[at];
        if ((IsDigit(before) && IsTypoLetter(here)) || (IsTypoLetter(before) && IsDigit(here))) {
            add(at, '-');
            add(at, ' ');
        } else if (IsSeparator(here) && alnum(before) && at + 1 < word.size() && alnum(word[at + 1])) {
            add(at, 0);
            add(at, here == ' ' ? '-' : ' ');
        }
    }
}

void AddSplitForms(std::string_view word, std::uint16_t wordIndex,
                   const std::function<bool(std::string_view)>& isRealWord, std::vector<Slip>& out) {
    for (std::size_t at = kMinSplitHalf; at + kMinSplitHalf <= word.size(); ++at) {
        if (!isRealWord(word.substr(0, at)) || !isRealWord(word.substr(at))) continue;
        out.push_back({kSplitScore,
                       static_cast<std::uint32_t>(out.size()),
                       wordIndex,
                       TypoKind::Spacing,
                       {Edit::kJunction, static_cast<std::uint8_t>(at), ' '},
                       {}});
    }
}

}  // namespace wv
