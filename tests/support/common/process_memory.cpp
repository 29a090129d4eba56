#include "process_memory.h"

#include <fstream>
#include <string>

namespace wvtest {

namespace {

// A "Name:   1234 kB" line of /proc/self/status, in bytes.
std::int64_t StatusBytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name + ":", 0) == 0) return std::stoll(line.substr(name.size() + 1)) * 1024;
    return 0;
}

}  // namespace

MemoryGrowth::MemoryGrowth() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5" << std::flush;  // the peak starts again from now
    m_measurable = static_cast<bool>(clear);
    m_start = StatusBytes("VmRSS");
}

std::int64_t MemoryGrowth::PeakBytes() const { return StatusBytes("VmHWM") - m_start; }

}  // namespace wvtest
