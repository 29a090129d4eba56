#pragma once
// Stand-in browser launcher programs for tests: small scripts in a folder of
// their own that record how they were called and end with a chosen status,
// and an environment override to put them on PATH or in $BROWSER.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "test_paths.h"

namespace wvtest {

// Sets (or, with nullopt, removes) an environment variable for the object's
// lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class StandInLaunchers {
public:
    // A program that appends "<argument count>|<first argument>" to the
    // record and exits with status; returns its full path.
    std::string Add(const std::string& name, int status = 0);
    // A program with the given shell script body.
    std::string AddScript(const std::string& name, const std::string& body);
    std::filesystem::path Dir() const { return m_dir.path(); }
    std::vector<std::string> Recorded() const;

private:
    std::filesystem::path Record() const { return m_dir / "record.txt"; }
    ScopedTempDir m_dir;
};

}  // namespace wvtest
