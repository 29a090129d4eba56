#pragma once
// The start-up probe's verdict on the vendor's home page: the program runs
// only when none of its lines contains "EXCEEDED" (in any letter case).
// Pure functions; any thread.
#include <functional>
#include <string>
#include <string_view>

namespace wv {

// True when the line forbids the start: upper-cased byte-wise (ASCII only),
// it contains "EXCEEDED".
bool LineForbidsStart(std::string_view line);

// Reads lines until readLine returns false; false at the first forbidding
// line, true when the end is reached without one (an empty page included).
bool PageAllowsStart(const std::function<bool(std::string&)>& readLine);

} // namespace wv
