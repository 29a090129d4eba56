#pragma once
// A small internet layer over libcurl: HTTP pages read line by line and FTP
// downloads on one login, with the behaviour the program relies on:
//
// - OpenURL always fetches from the server (there is no cache), follows
//   redirects, never translates line ends, and sends the caller's extra
//   header lines ("Name: value\r\n" each).  The reply's status is not judged:
//   any body that arrives is the page.
// - "Pre-configured" access uses the environment's proxy settings, "direct"
//   access never uses a proxy.
// - A failure to resolve, connect, send or receive throws InternetException
//   from the call that started the transfer.
// - Timeouts: connecting may take connectTimeout, and so may an FTP server's
//   opening of an active-mode data connection; a transfer that moves less
//   than 1 byte per second for stallTimeout fails; with a transferTimeout, a
//   transfer not finished that long after it started fails however steadily
//   its bytes arrive.
// - Every transfer can be ended at once from another thread through the
//   TransferStop it was started with.
//
// Threads: a session and the objects it returns are used by one thread at a
// time.  TransferStop::Trigger may be called from any thread.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wv {

class InternetException : public std::runtime_error {
public:
    InternetException(int code, const std::string& message);
    // The libcurl result code, or 0 for a failure of this layer's own.
    int GetErrorCode() const { return m_code; }

private:
    int m_code;
};

// Initialises libcurl for the process.  Call on the main thread before any
// other thread starts; later calls do nothing.
void InitInternet();

// A stop signal shared by the transfers of one owner (for example a worker
// thread).  Once triggered it stays triggered: running transfers end at once
// and later ones fail without touching the network.
class TransferStop {
public:
    TransferStop();
    ~TransferStop();
    TransferStop(const TransferStop&) = delete;
    TransferStop& operator=(const TransferStop&) = delete;

    void Trigger();
    bool IsTriggered() const;
    // Sleeps for the duration unless triggered first; false when triggered.
    bool WaitFor(std::chrono::milliseconds duration) const;

    struct State;
    const std::shared_ptr<State>& GetState() const { return m_state; }

private:
    std::shared_ptr<State> m_state;
};

enum class InternetAccess {
    Preconfigured,  // the environment's proxy settings apply
    Direct,         // never through a proxy
};

struct InternetOptions {
    InternetAccess access = InternetAccess::Preconfigured;
    // Sent as the user agent unless the extra headers name one.
    std::string agent = "Wordvane";
    std::chrono::milliseconds connectTimeout{30000};
    std::chrono::seconds stallTimeout{30};
    // The whole transfer, connecting included; zero for none.
    std::chrono::milliseconds transferTimeout{0};
    // Shared stop signal; when empty the session makes its own (Abort).
    std::shared_ptr<TransferStop> stop;
};

// The extra header lines the program sends with every page it reads from
// the vendor's web server (the start-up probe, the banner list).
inline constexpr char kPageRequestHeaders[] =
    "Accept: text/plain, text/html, text/htm\r\n"
    "User-Agent: HTML Get Sample\r\n";

// The largest page OpenURL reads by default; the rest is not read.
constexpr std::size_t kDefaultPageLimit = 1u << 20;
// The largest file GetFile accepts by default; a larger one fails.
constexpr std::size_t kDefaultFileLimit = 10u << 20;

// A page fetched by OpenURL, read line by line.
class HttpFile {
public:
    HttpFile(std::string body, long status, bool truncated);

    // The next line without its "\n" (a "\r" before it stays); false at the
    // end.  A last line without "\n" is still returned.
    bool ReadString(std::string& line);
    long GetStatusCode() const { return m_status; }
    // True when the page was longer than the limit and was cut there.
    bool WasTruncated() const { return m_truncated; }
    const std::string& GetBody() const { return m_body; }
    void Close() {}

private:
    std::string m_body;
    std::size_t m_pos = 0;
    long m_status;
    bool m_truncated;
};

struct TransferEngine;

// A logged-in FTP connection; files are fetched over the same login.
class FtpConnection {
public:
    ~FtpConnection();
    FtpConnection(const FtpConnection&) = delete;
    FtpConnection& operator=(const FtpConnection&) = delete;

    // Downloads remoteName (relative to the login directory) in binary mode,
    // active mode, to localPath, replacing that file.  False on any failure
    // (no such file, empty name or one ending in "/", too large, stopped,
    // local file not writable); the previous local file is then left as it
    // was.
    bool GetFile(const std::string& remoteName, const std::string& localPath);
    void Close();

private:
    friend class InternetSession;
    FtpConnection(std::shared_ptr<TransferEngine> engine, std::string hostAndPort, std::size_t maxFileBytes);

    std::shared_ptr<TransferEngine> m_engine;
    void* m_easy = nullptr;  // CURL*
    std::string m_base;      // "ftp://host[:port]/"
    std::size_t m_maxFileBytes;
};

class InternetSession {
public:
    explicit InternetSession(InternetOptions options = {});
    ~InternetSession();
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;

    // Fetches the whole page (at most maxBytes of it) and returns it for
    // reading.  Only http and https addresses are fetched.
    std::unique_ptr<HttpFile> OpenURL(const std::string& url, const std::string& headers = {},
                                      std::size_t maxBytes = kDefaultPageLimit);

    // Fetches the page as OpenURL does but keeps none of it: each piece goes
    // to consume as it arrives (on the calling thread, before this returns).
    // consume returns false to end the transfer there, which is no failure.
    void ReadURL(const std::string& url, const std::string& headers,
                 const std::function<bool(std::string_view piece)>& consume);

    // Logs in on the FTP server's root directory ("host" or "host:port").
    // Throws InternetException when the server cannot be resolved, reached
    // or logged into.
    std::unique_ptr<FtpConnection> GetFtpConnection(const std::string& hostAndPort, const std::string& user,
                                                    const std::string& password,
                                                    std::size_t maxFileBytes = kDefaultFileLimit);

    // Ends this session's transfers at once (any thread); see TransferStop.
    void Abort();
    void Close();

private:
    // ReadURL, returning the reply's status.
    long ReadPage(const std::string& url, const std::string& headers,
                  const std::function<bool(std::string_view piece)>& consume);

    const std::shared_ptr<TransferStop> m_stop;  // fixed for the session's life
    std::shared_ptr<TransferEngine> m_engine;
};

}  // namespace wv
