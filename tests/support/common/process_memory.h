#pragma once
// The test process's own memory, for tests that bound what a hostile input
// may cost: the resident size now and the peak since the last reset.
// Linux only (/proc/self).
#include <cstdint>

namespace wvtest {

// Resident set size now, in bytes; 0 when it cannot be read.
std::int64_t ResidentBytes();
// The highest resident size since the last ResetPeakResident (or since the
// process began), in bytes; 0 when it cannot be read.
std::int64_t PeakResidentBytes();
// Starts a new peak from the current resident size; false when the kernel
// does not allow it.
bool ResetPeakResident();

// The peak's growth over the resident size when the object was made.
class MemoryGrowth {
public:
    MemoryGrowth();
    // False when the peak could not be reset, so growth cannot be measured.
    bool Measurable() const { return m_measurable; }
    std::int64_t PeakBytes() const { return PeakResidentBytes() - m_start; }

private:
    std::int64_t m_start;
    bool m_measurable;
};

inline constexpr std::int64_t kMiB = 1 << 20;

} // namespace wvtest
