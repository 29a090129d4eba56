#pragma once
// A FIFO for tests of code that must never wait on one, and a guard that
// turns a wait into a test failure instead of a hung test.
#include <chrono>
#include <filesystem>
#include <functional>

namespace wvtest {

// Makes a FIFO at path (throws when it cannot).
void MakeFifo(const std::filesystem::path& path);

// Runs fn on a thread of its own.  When it has not returned within the
// timeout, a writer opens the FIFO and closes it again, which ends any open
// or read blocked on it, and fn is then awaited.  True when fn returned in
// time.
bool ReturnsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& fn,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace wvtest
