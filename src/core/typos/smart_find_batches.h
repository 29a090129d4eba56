#pragma once
// Smart Find for Likely Typos: the ranked variants of a keyword, split into
// as few search addresses as the site's limit on one OR-group allows.
//
//   http://HOST/(camrea,cmaera,camear)           one-word keyword
//   http://HOST/canon%20(camrea,cmaera)%20lens   varied word among others
//
// Text is Windows-1252.  Word text is percent-encoded byte for byte: ASCII
// letters, digits and - . _ ~ ! $ & ' * + ; = : @ stay, every other byte
// (space, quote, / ? # %, parentheses and commas, controls, and bytes
// 0x80-0xFF as their Windows-1252 value) becomes %XX with upper-case hex.
// Only the group's own parentheses and commas are written bare.
//
// Pure functions; any thread.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/typos/likely_typos.h"

namespace wv {

// Longest "(a,b,c)" part of one address, counted after encoding.
constexpr std::size_t kMaxSmartFindGroup = 350;

std::string PercentEncodeWordText(std::string_view text);

// Addresses for `ranked` (most likely first; Typo::word and wordIndex are
// read), the address holding the likeliest variants first.  An address ORs
// variants of one word only; the keyword's other words (keywordWords, as
// KeywordWords gives them) stand around the group as typed.  Variants are
// taken in rank order into their word's open address while the group stays
// within maxGroup; one that would not fit opens the next.  A variant holding
// a comma or parenthesis, or one too long for any group, gets an address of
// its own (without a group).  Every variant is in exactly one address.
std::vector<std::string> SmartFindBatches(std::string_view host, const std::vector<std::string>& keywordWords,
                                          const std::vector<Typo>& ranked,
                                          std::size_t maxGroup = kMaxSmartFindGroup);

} // namespace wv
