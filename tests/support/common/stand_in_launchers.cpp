#include "stand_in_launchers.h"

#include <cstdlib>
#include <sstream>

namespace wvtest {

ScopedEnv::ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (m_old)
        setenv(m_name, m_old->c_str(), 1);
    else
        unsetenv(m_name);
}

std::string StandInLaunchers::AddScript(const std::string& name, const std::string& body) {
    auto path = m_dir / name;
    WriteFile(path, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path.string();
}

std::string StandInLaunchers::Add(const std::string& name, int status) {
    return AddScript(
        name, "printf '%s|%s\\n' \"$#\" \"$1\" >> '" + Record().string() + "'\nexit " + std::to_string(status) + "\n");
}

std::vector<std::string> StandInLaunchers::Recorded() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(Record()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace wvtest
