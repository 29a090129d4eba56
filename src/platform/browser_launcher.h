#pragma once
// Opens a web address in the desktop's web browser, on a short-lived worker
// thread per launch, so the user interface never waits for the browser.
//
// The launcher programs tried, in order: those named in $BROWSER (separated
// by ':'; an entry may hold arguments and "%s" for the address), then
// xdg-open, sensible-browser and x-www-browser.  The first that can be started
// gets the address as one argument (no shell is involved).  No program found:
// nothing happens.  A program that ends with a failure status within
// kFailureWindow, or programs found that the system refuses to start (an
// address too long for an argument, E2BIG) while none starts: the failure
// callback runs (on the worker thread).
//
// Only http and https addresses are launched: a banner link arrives over plain
// HTTP and must never open a local file or run a command.  Programs are
// started without a shell; as a second line of defence for launchers that
// are shell scripts, every byte outside the URI character set (blanks,
// double quotes, backticks, control and non-ASCII bytes) is percent-encoded
// first.  The URI's own punctuation, such as $ ( ) ' ; &, stays as it is.
//
// Threads: Launch, WaitIdle and StopAll on any one thread (the UI thread);
// the failure callback runs on a worker and must not touch windows.  Every
// worker is joined by StopAll or the destructor.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace wv {

// True for "http://..." and "https://..." (scheme in any letter case) with a
// host part, and no control characters.
bool IsLaunchableAddress(std::string_view address);

// The address with every byte outside RFC 3986's unreserved and reserved
// characters and '%' written as "%XX" (upper-case hex).
std::string PercentEncodeAddress(std::string_view address);

// The argument vectors to try for an address, in order, from the value of
// $BROWSER (nullptr when unset).
std::vector<std::vector<std::string>> LauncherCommands(const char* browserVariable, const std::string& address);

class BrowserLauncher {
public:
    static constexpr std::chrono::seconds kFailureWindow{5};

    explicit BrowserLauncher(std::function<void()> onFailure);
    ~BrowserLauncher();
    BrowserLauncher(const BrowserLauncher&) = delete;
    BrowserLauncher& operator=(const BrowserLauncher&) = delete;

    // Starts the launch and returns at once.  The address is Windows-1252
    // bytes; the browser receives it as UTF-8, percent-encoded as
    // PercentEncodeAddress does.  Returns false when the
    // address is not launchable or StopAll is running.
    bool Launch(const std::string& address);

    // Waits until no launch is in progress; false on timeout.  For tests.
    bool WaitIdle(std::chrono::milliseconds timeout);

    // Ends every worker's wait at once and joins them.  Browsers already
    // started keep running.  Launches made meanwhile are refused.
    void StopAll();

private:
    struct Worker {
        std::thread thread;
        bool done = false;
    };
    void Run(Worker* worker, std::vector<std::vector<std::string>> commands, std::string path);
    void JoinFinished();  // caller holds no lock

    std::function<void()> m_onFailure;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_stopping = false;
    std::list<Worker> m_workers;
};

}  // namespace wv
