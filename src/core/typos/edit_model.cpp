#include "core/typos/edit_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "core/text/cp1252_case.h"
#include "core/typos/typo_text.h"

namespace wv {

namespace {
constexpr std::string_view kVowels = "aeiou";
constexpr std::string_view kSoft = "eiy";  // c and g sound soft before these
}  // namespace

const std::array<SoundRule, 34> kSoundRules = {{
    {"ph", "f", false, "", ""},
    {"f", "ph", false, "", ""},
    {"ck", "k", false, "", ""},
    {"k", "ck", false, "", "", true},  // ck follows a short vowel
    {"ck", "c", false, "", kSoft},
    {"c", "ck", false, "", "eiyhk", true},
    {"ie", "ei", false, "", ""},
    {"ei", "ie", false, "", ""},
    {"able", "ible", false, "", ""},
    {"ible", "able", false, "", ""},
    {"ance", "ence", false, "", ""},
    {"ence", "ance", false, "", ""},
    {"ancy", "ency", false, "", ""},
    {"ency", "ancy", false, "", ""},
    {"ant", "ent", false, "", ""},
    {"ent", "ant", false, "", ""},
    {"ise", "ize", false, "", ""},
    {"ize", "ise", false, "", ""},
    {"yse", "yze", false, "", ""},
    {"c", "k", false, "", "eiyhk"},          // a hard c; ch and ck are letters of their own
    {"k", "c", false, "", "eiyn"},           // where a c would be hard; kn is silent
    {"s", "z", false, "aeiouy$", "", true},  // s voiced between vowels
    {"z", "s", false, "", ""},
    {"c", "s", false, kSoft, ""},  // soft c only
    {"s", "c", false, kSoft, ""},
    {"e", "", true, "", ""},  // a silent e
    {"tion", "sion", false, "", ""},
    {"sion", "tion", false, "", ""},
    {"er", "or", true, "", ""},
    {"or", "er", true, "", ""},
    {"ce", "se", true, "", ""},  // licence, license
    {"se", "ce", true, "", ""},
    {"ce", "ss", true, "", ""},  // an unstressed -ace, -ice said -iss
    {"ss", "ce", true, "", ""},
}};

bool SoundRuleFits(const SoundRule& rule, std::string_view word, std::size_t at) {
    const std::size_t end = at + rule.from.size();
    if (rule.atEnd && end != word.size()) return false;
    const char next = end < word.size() ? word[end] : '$';
    if (!rule.next.empty() && rule.next.find(next) == std::string_view::npos) return false;
    if (rule.notNext.find(next) != std::string_view::npos) return false;
    if (rule.afterVowel && (at == 0 || kVowels.find(word[at - 1]) == std::string_view::npos)) return false;
    // One that would double a letter spells no sound of its own (k for c
    // after a c: necclace).
    if (!rule.to.empty() && ((at > 0 && word[at - 1] == rule.to.front()) || next == rule.to.back())) return false;
    // A rule may not leave the word empty.
    if (rule.to.empty() && rule.from.size() == word.size()) return false;
    return true;
}

int Echoes(std::string_view word, int y, int from, int to) {
    const int n = static_cast<int>(word.size());
    int echo = 0;
    for (int j = std::max(0, from - kEchoReach); j < std::min(n, to + kEchoReach); ++j) {
        if ((j >= from && j < to) || LetterCode(word[j]) != y) continue;
        if (j == from - 1 || j == to) return 1;
        echo = 2;
    }
    return echo;
}

SlipPlace PlaceOf(std::size_t at, std::size_t length) {
    if (at == 0) return kFirstPlace;
    if (at + 1 >= length) return kLastPlace;
    if (at == 1) return kSecondPlace;
    return kMiddlePlace;
}

int LetterCode(char c) {
    const char lower = LowerCp1252(c);
    return (lower >= 'a' && lower <= 'z') ? lower - 'a' : kOther;
}

namespace {

constexpr int N = kLetterCodes;
constexpr std::string_view kCodeChars = "abcdefghijklmnopqrstuvwxyz^$_";

// Each count is smoothed as (events + kAlpha) / (chances + kBeta): a never
// seen event keeps a small chance, and a context seen once cannot claim
// certainty.
// Both were chosen where the cross-validated recall at 100 variants peaked.
constexpr float kAlpha = 0.15f;
constexpr float kBeta = 24.0f;
// Pairs of slips are rarer in the list than single slips by the ratio of
// its two-edit pairs to its one-edit ones; the engine pairs only each
// word's likeliest slips, which are likelier together than that.  Chosen
// where the cross-validated recall at 100 variants peaked.
constexpr float kSecondEditBoost = 2.0f;
// How much a slip's place in the word counts beside its letters.  Chosen
// where the cross-validated recall at 100 variants peaked.
constexpr float kPlaceWeight = 1.5f;
// How much an echo counts beside the letters: chosen where the
// cross-validated recall at 100 variants peaked, as was kEchoReach.
constexpr float kEchoWeight = 2.0f;

float LogRatio(double events, double chances) {
    return static_cast<float>(std::log((events + kAlpha) / (chances + kBeta)));
}

std::vector<int> Codes(std::string_view word) {
    std::vector<int> codes(word.size());
    std::transform(word.begin(), word.end(), codes.begin(), LetterCode);
    return codes;
}

// One step of a cheapest alignment, in the intended word's positions.
struct Step {
    enum Kind { kDrop, kInsert, kReplace, kSwap } kind;
    int at;     // intended index (drop, replace, swap's first) or gap (insert)
    int typed;  // typed letter code (insert, replace)
};

// Optimal string alignment distance with a backtrace that prefers keeping
// letters, then replacing, swapping, dropping, inserting.
std::vector<Step> Align(const std::vector<int>& c, const std::vector<int>& t) {
    const int n = static_cast<int>(c.size()), m = static_cast<int>(t.size());
    std::vector<int> d((n + 1) * (m + 1));
    auto at = [&](int i, int j) -> int& { return d[i * (m + 1) + j]; };
    for (int i = 0; i <= n; ++i) at(i, 0) = i;
    for (int j = 0; j <= m; ++j) at(0, j) = j;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= m; ++j) {
            int best = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + (c[i - 1] != t[j - 1])});
            if (i > 1 && j > 1 && c[i - 1] == t[j - 2] && c[i - 2] == t[j - 1])
                best = std::min(best, at(i - 2, j - 2) + 1);
            at(i, j) = best;
        }
    }
    std::vector<Step> steps;
    int i = n, j = m;
    while (i > 0 || j > 0) {
        const int here = at(i, j);
        if (i > 0 && j > 0 && c[i - 1] == t[j - 1] && at(i - 1, j - 1) == here) {
            --i, --j;
        } else if (i > 0 && j > 0 && at(i - 1, j - 1) + 1 == here) {
            steps.push_back({Step::kReplace, i - 1, t[j - 1]});
            --i, --j;
        } else if (i > 1 && j > 1 && c[i - 1] == t[j - 2] && c[i - 2] == t[j - 1] && at(i - 2, j - 2) + 1 == here) {
            steps.push_back({Step::kSwap, i - 2, 0});
            i -= 2, j -= 2;
        } else if (i > 0 && at(i - 1, j) + 1 == here) {
            steps.push_back({Step::kDrop, i - 1, 0});
            --i;
        } else {
            steps.push_back({Step::kInsert, i, t[j - 1]});
            --j;
        }
    }
    return steps;
}

std::uint32_t ParseNumber(std::string_view text);

// Letter codes are numbers joined by '.', so the table holds numbers only.
void ParseCodes(std::string_view text, int* out, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t dot = text.find('.');
        if ((dot == std::string_view::npos) != (k + 1 == count))
            throw std::invalid_argument("edit table: wrong number of letter codes");
        const std::uint32_t code = ParseNumber(text.substr(0, dot));
        if (code >= kCodeChars.size()) throw std::invalid_argument("edit table: bad letter code");
        out[k] = static_cast<int>(code);
        if (dot != std::string_view::npos) text.remove_prefix(dot + 1);
    }
}

std::uint32_t ParseNumber(std::string_view text) {
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) throw std::invalid_argument("edit table: bad number");
    return value;
}

}  // namespace

EditCounts::EditCounts()
    : drop(N * N * N), swap(N * N * N * N), replace(N * N * N * N), insert(N * N * N), unigram(N), bigram(N * N) {}

void EditCounts::Learn(std::string_view typed, std::string_view intended) {
    const std::vector<int> c = Codes(intended), t = Codes(typed);
    const int n = static_cast<int>(c.size());
    auto code = [&](int i) { return i < 0 ? kStart : i >= n ? kEnd : c[i]; };

    for (int i = -1; i <= n; ++i) {
        ++unigram[code(i)];
        if (i < n) ++bigram[code(i) * N + code(i + 1)];
    }

    const std::string lowTyped = Folded(typed), lowIntended = Folded(intended);
    bool soundAlike = false;
    for (std::size_t r = 0; r < kSoundRules.size(); ++r) {
        const SoundRule& rule = kSoundRules[r];
        for (std::size_t at = lowIntended.find(rule.from); at != std::string::npos;
             at = lowIntended.find(rule.from, at + 1)) {
            if (!SoundRuleFits(rule, lowIntended, at)) continue;
            ++ruleChances[r];
            std::string applied = lowIntended;
            applied.replace(at, rule.from.size(), rule.to);
            ruleHits[r] += applied == lowTyped;
            soundAlike = soundAlike || applied == lowTyped;
        }
    }
    for (int i = 0; i < n; ++i) ++placeChances[PlaceOf(i, n)];
    for (int g = 0; g <= n; ++g) {
        for (int y = 0; y < 26; ++y) {
            if (g < n && y != c[g]) ++echoChances[kReplaceEcho][Echoes(lowIntended, y, g, g + 1)];
            if (y != code(g) && y != code(g - 1)) ++echoChances[kInsertEcho][Echoes(lowIntended, y, g, g)];
        }
        // A drop inside a run is a singled letter, no echo.
        if (g < n && n > 1 && code(g + 1) != c[g] && code(g - 1) != c[g])
            ++echoChances[kDropEcho][Echoes(lowIntended, c[g], g, g + 1)];
    }

    const std::vector<Step> steps = Align(c, t);
    if (steps.empty()) return;
    ++pairsByEdits[std::min<std::size_t>(steps.size(), 3) - 1];
    // A slip a sound rule explains is the rule's: counted as a letter slip
    // too, c for s where it sounds like s would make c for s likely where
    // it does not (samera).
    if (steps.size() > 1 || soundAlike) return;
    const Step& step = steps.front();
    int at = step.at;
    switch (step.kind) {
    case Step::kDrop:
        while (at + 1 < n && c[at + 1] == c[at]) ++at;
        ++drop[(code(at - 1) * N + c[at]) * N + code(at + 1)];
        ++placeSlips[kDropOp][PlaceOf(at, n)];
        if (code(at - 1) != c[at]) ++echoSlips[kDropEcho][Echoes(lowIntended, c[at], at, at + 1)];
        break;
    case Step::kInsert:
        while (at < n && c[at] == step.typed) ++at;
        ++insert[(code(at - 1) * N + step.typed) * N + code(at)];
        ++placeSlips[kInsertOp][PlaceOf(at, n)];
        if (step.typed != code(at - 1)) ++echoSlips[kInsertEcho][Echoes(lowIntended, step.typed, at, at)];
        break;
    case Step::kReplace:
        ++replace[((code(at - 1) * N + c[at]) * N + step.typed) * N + code(at + 1)];
        ++placeSlips[kReplaceOp][PlaceOf(at, n)];
        ++echoSlips[kReplaceEcho][Echoes(lowIntended, step.typed, at, at + 1)];
        break;
    case Step::kSwap:
        ++swap[((code(at - 1) * N + c[at]) * N + c[at + 1]) * N + code(at + 2)];
        ++placeSlips[kSwapOp][PlaceOf(at, n)];
        break;
    }
}

std::string EditCounts::ToText() const {
    std::string out =
        "# Likely Typos edit counts: kind, letter codes joined by '.' (0-25 a-z, 26 start, 27 end, 28 other), count\n";
    auto line = [&](char kind, std::initializer_list<int> codes, std::uint32_t count) {
        if (count == 0) return;
        out += kind;
        out += ' ';
        const char* dot = "";
        for (int code : codes) {
            out += dot;
            out += std::to_string(code);
            dot = ".";
        }
        out += ' ';
        out += std::to_string(count);
        out += '\n';
    };
    for (int a = 0; a < N; ++a) {
        line('u', {a}, unigram[a]);
        for (int b = 0; b < N; ++b) {
            line('b', {a, b}, bigram[a * N + b]);
            for (int c = 0; c < N; ++c) {
                line('d', {a, b, c}, drop[(a * N + b) * N + c]);
                line('i', {a, b, c}, insert[(a * N + b) * N + c]);
                for (int d = 0; d < N; ++d) {
                    line('s', {a, b, c, d}, replace[((a * N + b) * N + c) * N + d]);
                    line('t', {a, b, c, d}, swap[((a * N + b) * N + c) * N + d]);
                }
            }
        }
    }
    for (std::size_t r = 0; r < kSoundRules.size(); ++r)
        out +=
            "r " + std::to_string(r) + ' ' + std::to_string(ruleHits[r]) + ' ' + std::to_string(ruleChances[r]) + '\n';
    for (std::size_t e = 0; e < pairsByEdits.size(); ++e)
        out += "e " + std::to_string(e + 1) + ' ' + std::to_string(pairsByEdits[e]) + '\n';
    for (int op = 0; op < kEchoOps; ++op)
        for (int echo = 0; echo < kEchoes; ++echo)
            out += "h " + std::to_string(op) + '.' + std::to_string(echo) + ' ' + std::to_string(echoSlips[op][echo]) +
                   ' ' + std::to_string(echoChances[op][echo]) + '\n';
    for (int place = 0; place < kPlaces; ++place) {
        out += "p " + std::to_string(place) + ' ' + std::to_string(placeChances[place]);
        for (int op = 0; op < kSlipOps; ++op) out += ' ' + std::to_string(placeSlips[op][place]);
        out += '\n';
    }
    return out;
}

EditCounts EditCounts::FromText(std::string_view text) {
    EditCounts counts;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (line.empty() || line[0] == '#') continue;

        constexpr std::size_t kMaxFields = 3 + kSlipOps;  // the place lines' count
        std::string_view fields[kMaxFields];
        std::size_t count = 0;
        while (!line.empty() && count < kMaxFields) {
            const std::size_t space = line.find(' ');
            fields[count++] = line.substr(0, space);
            line = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        }
        if (!line.empty() || count < 3 || fields[0].size() != 1)
            throw std::invalid_argument("edit table: malformed line");
        int k[4];
        const char kind = fields[0][0];
        if (kind == 'h') {
            int codes[2];
            ParseCodes(fields[1], codes, 2);
            if (count != 4 || codes[0] >= kEchoOps || codes[1] >= kEchoes)
                throw std::invalid_argument("edit table: malformed line");
            counts.echoSlips[codes[0]][codes[1]] = ParseNumber(fields[2]);
            counts.echoChances[codes[0]][codes[1]] = ParseNumber(fields[3]);
            continue;
        }
        if (kind == 'r' || kind == 'e') {
            const std::uint32_t index = ParseNumber(fields[1]);
            if (kind == 'r' && count == 4 && index < kSoundRules.size()) {
                counts.ruleHits[index] = ParseNumber(fields[2]);
                counts.ruleChances[index] = ParseNumber(fields[3]);
                continue;
            }
            if (kind == 'e' && count == 3 && index >= 1 && index <= counts.pairsByEdits.size()) {
                counts.pairsByEdits[index - 1] = ParseNumber(fields[2]);
                continue;
            }
            throw std::invalid_argument("edit table: malformed line");
        }
        if (kind == 'p') {
            const std::uint32_t place = ParseNumber(fields[1]);
            if (count != kMaxFields || place >= kPlaces) throw std::invalid_argument("edit table: malformed line");
            counts.placeChances[place] = ParseNumber(fields[2]);
            for (int op = 0; op < kSlipOps; ++op) counts.placeSlips[op][place] = ParseNumber(fields[3 + op]);
            continue;
        }
        if (count != 3) throw std::invalid_argument("edit table: malformed line");
        const std::uint32_t value = ParseNumber(fields[2]);
        switch (kind) {
        case 'u':
            ParseCodes(fields[1], k, 1);
            counts.unigram[k[0]] = value;
            break;
        case 'b':
            ParseCodes(fields[1], k, 2);
            counts.bigram[k[0] * N + k[1]] = value;
            break;
        case 'd':
            ParseCodes(fields[1], k, 3);
            counts.drop[(k[0] * N + k[1]) * N + k[2]] = value;
            break;
        case 'i':
            ParseCodes(fields[1], k, 3);
            counts.insert[(k[0] * N + k[1]) * N + k[2]] = value;
            break;
        case 's':
            ParseCodes(fields[1], k, 4);
            counts.replace[((k[0] * N + k[1]) * N + k[2]) * N + k[3]] = value;
            break;
        case 't':
            ParseCodes(fields[1], k, 4);
            counts.swap[((k[0] * N + k[1]) * N + k[2]) * N + k[3]] = value;
            break;
        default: throw std::invalid_argument("edit table: unknown kind");
        }
    }
    return counts;
}

EditModel::EditModel(const EditCounts& counts)
    : m_drop(N * N * N),
      m_swapAB(N * N),
      m_swapPA(N * N),
      m_swapBN(N * N),
      m_insert(N * N * N),
      m_replaceXY(N * N),
      m_replacePXY(N * N * N),
      m_replaceXYN(N * N * N) {
    const auto& uni = counts.unigram;
    const auto& bi = counts.bigram;

    // Marginals: the same event seen with less context.
    std::vector<double> dropPX(N * N), dropXN(N * N), dropX(N);
    std::vector<double> insPY(N * N), insYN(N * N);
    std::vector<double> repXY(N * N), repPXY(N * N * N), repXYN(N * N * N);
    std::vector<double> swapAB(N * N), swapPA(N * N), swapBN(N * N);
    for (int a = 0; a < N; ++a) {
        for (int b = 0; b < N; ++b) {
            for (int c = 0; c < N; ++c) {
                const double d = counts.drop[(a * N + b) * N + c];
                dropPX[a * N + b] += d, dropXN[b * N + c] += d, dropX[b] += d;
                const double i = counts.insert[(a * N + b) * N + c];
                insPY[a * N + b] += i, insYN[b * N + c] += i;
                for (int e = 0; e < N; ++e) {
                    const double r = counts.replace[((a * N + b) * N + c) * N + e];
                    repXY[b * N + c] += r, repPXY[(a * N + b) * N + c] += r, repXYN[(b * N + c) * N + e] += r;
                    const double s = counts.swap[((a * N + b) * N + c) * N + e];
                    swapAB[b * N + c] += s, swapPA[a * N + b] += s, swapBN[c * N + e] += s;
                }
            }
        }
    }

    for (int a = 0; a < N; ++a) {
        for (int b = 0; b < N; ++b) {
            m_swapAB[a * N + b] = LogRatio(swapAB[a * N + b], bi[a * N + b]);
            m_swapPA[a * N + b] = LogRatio(swapPA[a * N + b], bi[a * N + b]);
            m_swapBN[a * N + b] = LogRatio(swapBN[a * N + b], bi[a * N + b]);
            m_replaceXY[a * N + b] = LogRatio(repXY[a * N + b], uni[a]);
            for (int c = 0; c < N; ++c) {
                const int abc = (a * N + b) * N + c;
                m_drop[abc] = LogRatio(dropPX[a * N + b], bi[a * N + b]) + LogRatio(dropXN[b * N + c], bi[b * N + c]) +
                              LogRatio(dropX[b], uni[b]);
                m_insert[abc] = LogRatio(insPY[a * N + b], uni[a]) + LogRatio(insYN[b * N + c], uni[c]) +
                                LogRatio(counts.insert[abc], bi[a * N + c]);
                // Replace's contexts: [p][x][y] over the pair px, [x][y][n] over xn.
                m_replacePXY[abc] = LogRatio(repPXY[abc], bi[a * N + b]);
                m_replaceXYN[abc] = LogRatio(repXYN[abc], bi[a * N + c]);
            }
        }
    }
    // A rule is one view of its slip, where single edits have three: cubed,
    // its chance weighs like theirs.
    for (std::size_t r = 0; r < kSoundRules.size(); ++r)
        m_rule[r] = 3 * LogRatio(counts.ruleHits[r], counts.ruleChances[r]);
    // A place's or an echo's factor: how much likelier a slip is there than
    // anywhere, as the share of the slips it holds over the share of the
    // chances.  One pseudo-slip, spread as the chances are, keeps a class
    // without slips at no factor rather than at its chances' whim.
    auto factor = [](double slips, double allSlips, double chances, double allChances) {
        if (chances <= 0 || allChances <= 0) return 0.0f;
        const double share = chances / allChances;
        return static_cast<float>(std::log((slips + share) / (allSlips + 1) / share));
    };
    for (int op = 0; op < kSlipOps; ++op) {
        double slips = 0, chances = 0;
        for (int place = 0; place < kPlaces; ++place)
            slips += counts.placeSlips[op][place], chances += counts.placeChances[place];
        for (int place = 0; place < kPlaces; ++place)
            m_place[op][place] =
                kPlaceWeight * factor(counts.placeSlips[op][place], slips, counts.placeChances[place], chances);
    }
    for (int op = 0; op < kEchoOps; ++op) {
        const auto& slips = counts.echoSlips[op];
        const auto& chances = counts.echoChances[op];
        for (int echo = 0; echo < kEchoes; ++echo)
            m_echo[op][echo] = kEchoWeight * factor(slips[echo], slips[0] + slips[1] + slips[2], chances[echo],
                                                    chances[0] + chances[1] + chances[2]);
    }
    const double one = counts.pairsByEdits[0] + 1.0, two = counts.pairsByEdits[1] + 1.0;
    m_secondEdit = static_cast<float>(std::log(two / one)) + kSecondEditBoost;
}

float EditModel::Swap(int p, int a, int b, int n) const {
    return m_swapAB[a * N + b] + m_swapPA[p * N + a] + m_swapBN[b * N + n];
}

float EditModel::Replace(int p, int x, int y, int n) const {
    return m_replaceXY[x * N + y] + m_replacePXY[(p * N + x) * N + y] + m_replaceXYN[(x * N + y) * N + n];
}

const EditModel& BuiltInEditModel() {
    static const EditModel model(EditCounts::FromText(
#include "core/typos/edit_counts.inc"
        ));
    return model;
}

}  // namespace wv
