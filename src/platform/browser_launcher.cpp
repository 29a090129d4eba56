#include "platform/browser_launcher.h"

#include <cerrno>
#include <csignal>
#include <system_error>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/text/cp1252.h"
#include "core/text/percent_encode.h"

extern char** environ;

namespace wv {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The program's full path: as given when it names a folder, else the first
// match on the search path.  Empty when there is none.
std::string ResolveProgram(const std::string& name, const std::string& searchPath) {
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
    std::size_t start = 0;
    for (;;) {
        std::size_t colon = searchPath.find(':', start);
        std::string dir = searchPath.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        if (colon == std::string::npos) return {};
        start = colon + 1;
    }
}

// RFC 3986's unreserved and reserved punctuation, and '%' of an address
// that is already encoded.
constexpr std::string_view kUriPunctuation = "-._~:/?#[]@!$&'()*+,;=%";

// Starts the program with stdin from /dev/null, default signal handling and
// a process group of its own (so a terminal's Ctrl+C aimed at us spares it).
bool Spawn(const std::string& program, const std::vector<std::string>& args, pid_t& pid) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0;
}

}  // namespace

bool IsLaunchableAddress(std::string_view address) {
    std::size_t schemeLength;
    if (StartsWithNoCase(address, "http://"))
        schemeLength = 7;
    else if (StartsWithNoCase(address, "https://"))
        schemeLength = 8;
    else
        return false;
    if (address.size() == schemeLength || address[schemeLength] == '/') return false;
    for (char c : address) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

std::string PercentEncodeAddress(std::string_view address) { return PercentEncode(address, kUriPunctuation); }

std::vector<std::vector<std::string>> LauncherCommands(const char* browserVariable, const std::string& address) {
    std::vector<std::vector<std::string>> commands;
    std::string entries = browserVariable ? browserVariable : "";
    std::size_t start = 0;
    while (start <= entries.size()) {
        std::size_t colon = entries.find(':', start);
        if (colon == std::string::npos) colon = entries.size();
        std::vector<std::string> words = SplitWords(entries.substr(start, colon - start));
        if (!words.empty()) {
            bool placed = false;
            for (std::size_t i = 1; i < words.size(); ++i) {
                for (std::size_t at = words[i].find("%s"); at != std::string::npos;
                     at = words[i].find("%s", at + address.size())) {
                    words[i].replace(at, 2, address);
                    placed = true;
                }
            }
            if (!placed) words.push_back(address);
            commands.push_back(std::move(words));
        }
        start = colon + 1;
    }
    for (const char* fallback : {"xdg-open", "sensible-browser", "x-www-browser"})
        commands.push_back({fallback, address});
    return commands;
}

BrowserLauncher::BrowserLauncher(std::function<void()> onFailure) : m_onFailure(std::move(onFailure)) {}

BrowserLauncher::~BrowserLauncher() { StopAll(); }

bool BrowserLauncher::Launch(const std::string& address) {
    if (!IsLaunchableAddress(address)) return false;
    JoinFinished();
    // The environment is read here, on the caller's thread, never by a worker.
    const char* path = std::getenv("PATH");
    auto commands = LauncherCommands(std::getenv("BROWSER"), PercentEncodeAddress(Cp1252ToUtf8(address)));
    std::lock_guard lock(m_mutex);
    if (m_stopping) return false;
    Worker& worker = m_workers.emplace_back();
    try {
        worker.thread = std::thread(&BrowserLauncher::Run, this, &worker, std::move(commands),
                                    std::string(path ? path : "/usr/bin:/bin"));
    } catch (const std::system_error&) {
        // A worker without a thread would never finish nor be joinable.
        m_workers.pop_back();
        return false;
    }
    return true;
}

void BrowserLauncher::Run(Worker* worker, std::vector<std::vector<std::string>> commands, std::string path) {
    // An arbitrary browser cannot be asked for a maximised window or to keep
    // its own dialogs quiet; the desktop decides how the window opens.
    bool refused = false, started = false;
    for (const auto& command : commands) {
        std::string program = ResolveProgram(command.front(), path);
        if (program.empty()) continue;
        pid_t pid = 0;
        if (!Spawn(program, command, pid)) {
            // Found but not started (an address too long for an argument,
            // a broken program): a later launcher may still start.
            refused = true;
            continue;
        }
        started = true;

        const auto deadline = std::chrono::steady_clock::now() + kFailureWindow;
        bool failed = false;
        for (;;) {
            int status = 0;
            pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                failed = !ok && std::chrono::steady_clock::now() < deadline;
                break;
            }
            if (done < 0 && errno != EINTR) break;
            // Keep reaping after the window, so no zombie is left behind,
            // but poll less often once the verdict is in.
            auto interval = std::chrono::steady_clock::now() < deadline ? std::chrono::milliseconds(20)
                                                                        : std::chrono::milliseconds(250);
            std::unique_lock lock(m_mutex);
            if (m_cv.wait_for(lock, interval, [this] { return m_stopping; })) break;
        }
        if (failed && m_onFailure) m_onFailure();
        break;
    }
    if (refused && !started && m_onFailure) m_onFailure();
    std::lock_guard lock(m_mutex);
    worker->done = true;
    m_cv.notify_all();
}

void BrowserLauncher::JoinFinished() {
    std::list<Worker> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            auto next = std::next(it);
            if (it->done) finished.splice(finished.end(), m_workers, it);
            it = next;
        }
    }
    for (Worker& worker : finished) worker.thread.join();
}

bool BrowserLauncher::WaitIdle(std::chrono::milliseconds timeout) {
    bool idle;
    {
        std::unique_lock lock(m_mutex);
        idle = m_cv.wait_for(lock, timeout, [this] {
            for (const Worker& worker : m_workers)
                if (!worker.done) return false;
            return true;
        });
    }
    JoinFinished();
    return idle;
}

void BrowserLauncher::StopAll() {
    std::list<Worker> all;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_cv.notify_all();
        all.splice(all.end(), m_workers);
    }
    for (Worker& worker : all) worker.thread.join();
    std::lock_guard lock(m_mutex);
    m_stopping = false;
}

}  // namespace wv
