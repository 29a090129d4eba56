#include "vendor_site.h"

#include <cerrno>
#include <fstream>
#include <map>
#include <stdexcept>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "test_paths.h"

extern char** environ;

namespace wvtest {

namespace {

int RunScript(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::filesystem::path MakeTempDir(const char* tag) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(tag) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

// "export NAME='value'" lines.
std::map<std::string, std::string> ReadEnvFile(const std::filesystem::path& path) {
    std::map<std::string, std::string> values;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::string prefix = "export ";
        auto eq = line.find('=');
        if (line.rfind(prefix, 0) != 0 || eq == std::string::npos) continue;
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
            value = value.substr(1, value.size() - 2);
        values[line.substr(prefix.size(), eq - prefix.size())] = value;
    }
    return values;
}

}  // namespace

VendorSite::VendorSite(std::filesystem::path root) {
    m_state = MakeTempDir("wordvane-site-state");
    if (root.empty()) {
        m_root = MakeTempDir("wordvane-site");
        m_ownRoot = true;
    } else {
        m_root = std::move(root);
    }
    std::string script = SourcePath("scripts/vendor-site").string();
    if (RunScript({script, "start", m_state.string(), m_root.string()}) != 0) {
        RunScript({script, "stop", m_state.string()});
        throw std::runtime_error("scripts/vendor-site did not start");
    }
    auto env = ReadEnvFile(m_state / "env");
    m_config = wv::ReadVendorConfig([&env](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
}

VendorSite::~VendorSite() {
    RunScript({SourcePath("scripts/vendor-site").string(), "stop", m_state.string()});
    std::error_code ec;
    std::filesystem::remove_all(m_state, ec);
    if (m_ownRoot) std::filesystem::remove_all(m_root, ec);
}

void VendorSite::Put(const std::string& relativePath, const std::string& bytes) const {
    std::filesystem::path path = m_root / relativePath;
    std::filesystem::create_directories(path.parent_path());
    WriteFile(path, bytes);
}

std::vector<std::string> VendorSite::RequestLines() const {
    std::vector<std::string> lines;
    std::ifstream in(m_state / "requests.log");
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

}  // namespace wvtest
