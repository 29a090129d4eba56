#pragma once
// Letter-order variants of a keyword: the standard lexicographic next
// permutation over its bytes, compared as signed 8-bit values.  Strict
// comparisons only, so repeated letters give each distinct order once.
#include <functional>
#include <string>

namespace wv {

// Rearranges buffer into the next order.  Returns false on a wrap: a buffer
// in its last order becomes its first (ascending) one; buffers of 0 or 1
// bytes stay as they are.
bool NextArrangement(std::string& buffer);

// The rows a whole run writes, in writing order, without the UI: row 1 is
// one step from the keyword; then one row per step until the wrap.  `emit`
// gets the row number and variant and returns false to stop the run (the
// stop request is seen after the row it was raised on, as in the view).
void GenerateVariantRows(std::string keyword, const std::function<bool(int row, const std::string& variant)>& emit);

}  // namespace wv
