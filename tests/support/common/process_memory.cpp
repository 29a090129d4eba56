#include "process_memory.h"

#include <unistd.h>

#include <fstream>
#include <string>

namespace wvtest {

std::int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t total = 0, resident = 0;
    if (!(statm >> total >> resident)) return 0;
    return resident * sysconf(_SC_PAGESIZE);
}

std::int64_t PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;  // "  1234 kB"
    }
    return 0;
}

bool ResetPeakResident() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

MemoryGrowth::MemoryGrowth() : m_measurable(ResetPeakResident()) { m_start = ResidentBytes(); }

} // namespace wvtest
