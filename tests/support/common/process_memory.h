#pragma once
// How far the test process's resident memory rose above what it was when the
// object was made (its peak since then), for tests that bound what a hostile
// input may cost.  Linux only: the kernel's peak is reset through /proc.
#include <cstdint>

namespace wvtest {

inline constexpr std::int64_t kMiB = 1 << 20;

class MemoryGrowth {
public:
    MemoryGrowth();
    // False when the kernel would not reset the peak: nothing to measure.
    bool Measurable() const { return m_measurable; }
    std::int64_t PeakBytes() const;

private:
    bool m_measurable;
    std::int64_t m_start;
};

}  // namespace wvtest
