#pragma once
// Paths for tests: the source tree, and temporary folders that clean up.
#include <filesystem>
#include <string>

namespace wvtest {

std::filesystem::path SourcePath(const std::string& relative);

// A fresh folder under the system's temp folder, removed with its contents.
class ScopedTempDir {
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Makes the given folder the working directory for the object's lifetime.
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::filesystem::path& dir);
    ~ScopedWorkingDir();

private:
    std::filesystem::path m_previous;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace wvtest
