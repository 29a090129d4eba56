#include "core/typos/likely_typos.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>

#include "core/typos/edit_model.h"
#include "core/typos/typo_text.h"
#include "core/typos/word_slips.h"

namespace wv {

std::string_view TypoKindName(TypoKind kind) {
    static constexpr std::array<std::string_view, 12> kNames = {
        "swapped letters",  "missing letter",         "doubled letter", "single letter of a double",
        "neighbouring key", "extra neighbouring key", "vowel swap",     "sound-alike",
        "wrong letter",     "extra letter",           "two slips",      "spacing",
    };
    static constexpr std::array<std::string_view, 12> kRealNames = {
        "swapped letters, real word",  "missing letter, real word",
        "doubled letter, real word",   "single letter of a double, real word",
        "neighbouring key, real word", "extra neighbouring key, real word",
        "vowel swap, real word",       "sound-alike, real word",
        "wrong letter, real word",     "extra letter, real word",
        "two slips, real word",        "spacing, real word",
    };
    const auto slip = static_cast<std::size_t>(SlipKind(kind));
    if (slip >= kNames.size()) return "typo";
    return IsRealWordKind(kind) ? kRealNames[slip] : kNames[slip];
}

namespace {

struct Unit {
    std::size_t begin, end;
    enum Type : std::uint8_t { kQuoted, kNumber, kPlain } type;
};

// A short letter word and a number typed apart ("d 750", "ps 4") are one
// model number; a longer word before a number ("iphone 12") is a word of
// its own, to be misspelt.
constexpr std::size_t kMaxModelPrefix = 2;

std::vector<Unit> SplitUnits(std::string_view keyword) {
    std::vector<Unit> units;
    std::size_t at = 0;
    while (at < keyword.size()) {
        if (keyword[at] == ' ') {
            ++at;
            continue;
        }
        if (keyword[at] == '"') {
            std::size_t end = keyword.find('"', at + 1);
            end = end == std::string_view::npos ? keyword.size() : end + 1;
            units.push_back({at, end, Unit::kQuoted});
            at = end;
            continue;
        }
        const std::size_t end = std::min(keyword.find(' ', at), keyword.size());
        const std::string_view word = keyword.substr(at, end - at);
        const bool number = std::all_of(word.begin(), word.end(), IsDigit);
        if (number && !units.empty() && units.back().end + 1 == at && units.back().type == Unit::kPlain &&
            units.back().end - units.back().begin <= kMaxModelPrefix &&
            std::all_of(keyword.begin() + units.back().begin, keyword.begin() + units.back().end, IsTypoLetter)) {
            units.back() = {units.back().begin, end, Unit::kNumber};
        } else {
            const bool digits = std::any_of(word.begin(), word.end(), IsDigit);
            units.push_back({at, end, digits ? Unit::kNumber : Unit::kPlain});
        }
        at = end;
    }
    return units;
}

enum class CaseShape { kLower, kCapitalised, kUpper, kMixed };

CaseShape ShapeOf(std::string_view word) {
    std::size_t letters = 0, upper = 0;
    bool firstUpper = false;
    for (char c : word) {
        if (!IsTypoLetter(c)) continue;
        const bool isUpper = IsUpperCp1252(c);
        if (letters++ == 0) firstUpper = isUpper;
        upper += isUpper;
    }
    if (upper == 0) return CaseShape::kLower;
    if (upper == letters && letters > 1) return CaseShape::kUpper;
    if (firstUpper && upper == 1) return CaseShape::kCapitalised;
    return CaseShape::kMixed;
}

// A slip of a plain word, built from its folded letters in the word's case.
std::string Spelt(const Slip& slip, const std::string& folded, std::string_view original, CaseShape shape) {
    std::string word = folded;
    std::string mask;
    if (shape == CaseShape::kMixed)
        for (char c : original) mask += IsUpperCp1252(c) ? 'U' : 'l';
    std::string* maskOrNull = shape == CaseShape::kMixed ? &mask : nullptr;
    if (slip.second.op != Edit::kNone) slip.second.ApplyTo(word, maskOrNull);
    slip.first.ApplyTo(word, maskOrNull);
    bool first = true;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (!IsTypoLetter(word[i])) continue;
        const bool upper = shape == CaseShape::kUpper || (shape == CaseShape::kCapitalised && first) ||
                           (shape == CaseShape::kMixed && mask[i] == 'U');
        if (upper) word[i] = UpperCp1252(word[i]);
        first = false;
    }
    return word;
}

}  // namespace

std::vector<std::string> KeywordWords(std::string_view keyword) {
    keyword = keyword.substr(0, kMaxTypoText);
    std::vector<std::string> words;
    for (const Unit& unit : SplitUnits(keyword)) words.emplace_back(keyword.substr(unit.begin, unit.end - unit.begin));
    return words;
}

std::vector<Typo> LikelyTypos(std::string_view keyword, const TypoOptions& options) {
    keyword = keyword.substr(0, kMaxTypoText);
    const EditModel& model = options.model ? *options.model : BuiltInEditModel();
    const std::vector<Unit> units = SplitUnits(keyword);
    auto textOf = [&](std::size_t k) { return keyword.substr(units[k].begin, units[k].end - units[k].begin); };

    std::vector<std::string> folded(units.size());
    std::vector<CaseShape> shapes(units.size(), CaseShape::kLower);
    std::vector<Slip> candidates;
    std::size_t budget = kMaxTypoKeyword;  // bytes of words still to vary
    for (std::size_t k = 0; k < units.size(); ++k) {
        const auto index = static_cast<std::uint16_t>(k);
        const std::string_view text = textOf(k);
        if (units[k].type == Unit::kQuoted) continue;
        if (text.size() > budget) break;
        budget -= text.size();
        AddJunctionForms(text, index, candidates);
        if (units[k].type == Unit::kNumber) continue;
        folded[k] = Folded(text);
        shapes[k] = ShapeOf(text);
        AddWordSlips(model, folded[k], index, candidates);
        if (options.isRealWord && std::all_of(text.begin(), text.end(), IsTypoLetter))
            AddSplitForms(text, index, options.isRealWord, candidates);
    }

    auto build = [&](const Slip& c) {
        if (c.kind != TypoKind::Spacing) return Spelt(c, folded[c.word], textOf(c.word), shapes[c.word]);
        std::string word(textOf(c.word));
        c.first.ApplyTo(word);
        return word;
    };
    // Sound rules name slips that single edits also make (c for k); the
    // name wins whichever way the variant ranked first.
    std::vector<std::pair<std::uint16_t, std::string>> soundAlikes;
    for (const Slip& c : candidates)
        if (c.kind == TypoKind::SoundAlike) soundAlikes.emplace_back(c.word, Folded(build(c)));

    auto ranksBefore = [](const Slip& a, const Slip& b) {
        return a.score != b.score ? a.score > b.score : a.order < b.order;
    };
    const bool phrase = units.size() > 1;
    std::vector<Typo> typos;
    std::unordered_set<std::string> seen;
    std::size_t sorted = 0;
    for (std::size_t i = 0; i < candidates.size() && typos.size() < options.maxVariants; ++i) {
        if (i == sorted) {  // rank the next slice only when the list needs it
            const std::size_t slice = std::min(candidates.size() - i, std::max<std::size_t>(options.maxVariants, 64));
            auto from = candidates.begin() + static_cast<std::ptrdiff_t>(i);
            std::nth_element(from, from + static_cast<std::ptrdiff_t>(slice - 1), candidates.end(), ranksBefore);
            std::sort(from, from + static_cast<std::ptrdiff_t>(slice), ranksBefore);
            sorted = i + slice;
        }
        const Slip& c = candidates[i];
        const Unit& unit = units[c.word];
        std::string word = build(c);
        const std::string key = Folded(word);
        // Two slips can undo each other (a letter dropped and typed again).
        if (word.empty() || key == Folded(textOf(c.word))) continue;
        if (!seen.insert(std::to_string(c.word) + ' ' + key).second) continue;

        TypoKind kind = c.kind;
        for (const auto& [index, sound] : soundAlikes)
            if (index == c.word && sound == key) kind = TypoKind::SoundAlike;
        if (options.isRealWord && options.isRealWord(word)) {
            if (!phrase) continue;
            kind = kind | TypoKind::RealWord;
        }
        std::string variant;
        variant.reserve(keyword.size() + 2);
        variant.append(keyword.substr(0, unit.begin)).append(word).append(keyword.substr(unit.end));
        typos.push_back({std::move(variant), std::move(word), c.word, kind, std::exp(static_cast<double>(c.score))});
    }
    return typos;
}

}  // namespace wv
