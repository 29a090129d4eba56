#pragma once
// Smart Find for Likely Typos: the ranked variants of a keyword, split into
// as few search addresses as the site's limit on one search text allows.
//
//   http://HOST/(camrea,cmaera,camear)           one-word keyword
//   http://HOST/canon%20(camrea,cmaera)%20lens   varied word among others
//
// The search text is everything after "http://HOST/": the words around the
// group count towards the site's limit as much as the group does.
//
// Text is Windows-1252.  Word text is percent-encoded as the browser pane
// sends a typed address: each byte becomes its character's UTF-8 bytes;
// ASCII letters, digits and - . _ ~ ! $ & ' * + ; = : @ stay, every other
// byte (space, quote, / ? # %, parentheses and commas, controls, and the
// UTF-8 bytes of characters above 0x7F) becomes %XX with upper-case hex.
// Only the group's own parentheses and commas are written bare.
//
// Pure functions; any thread.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/typos/likely_typos.h"

namespace wv {

// Longest search text of one address, counted after encoding.
constexpr std::size_t kMaxSmartFindText = 350;

std::string PercentEncodeWordText(std::string_view text);

// Whether a keyword can be searched on the site at all: its words (as
// KeywordWords gives them), encoded and joined by spaces, with a group's two
// parentheses, fit in maxText.  False: no address for it would fit, and
// SmartFindBatches would leave every variant out.
bool SmartFindCanFit(const std::vector<std::string>& keywordWords, std::size_t maxText = kMaxSmartFindText);

// Addresses for `ranked` (most likely first; Typo::word and wordIndex are
// read), the address holding the likeliest variants first.  An address ORs
// variants of one word only; the keyword's other words (keywordWords, as
// KeywordWords gives them, however long) stand around the group as typed.
// Variants are taken in rank order into their word's open address while its
// search text stays within maxText; one that would not fit opens the next.
// A variant holding a comma or parenthesis, or one whose group of one would
// not fit, gets an address of its own without a group.  A variant whose
// address would not fit even so is left out (only a keyword SmartFindCanFit
// refuses, or one within a few letters of the limit, has such variants);
// every other variant is in exactly one address.
std::vector<std::string> SmartFindBatches(std::string_view host, const std::vector<std::string>& keywordWords,
                                          const std::vector<Typo>& ranked, std::size_t maxText = kMaxSmartFindText);

// The same addresses with the variants each searches for (indices into
// ranked, most likely first), so that a list can show what a batch sent.
struct SmartFindBatch {
    std::string address;
    std::vector<std::size_t> members;
};
std::vector<SmartFindBatch> SmartFindBatchMembers(std::string_view host, const std::vector<std::string>& keywordWords,
                                                  const std::vector<Typo>& ranked,
                                                  std::size_t maxText = kMaxSmartFindText);

}  // namespace wv
