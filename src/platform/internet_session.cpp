#include "platform/internet_session.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <vector>

#include <curl/curl.h>

namespace wv {

InternetException::InternetException(int code, const std::string& message)
    : std::runtime_error(message), m_code(code) {}

void InitInternet() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// ---------------------------------------------------------------------------
// Stop signal

struct TransferStop::State {
    mutable std::mutex mutex;
    mutable std::condition_variable cv;
    std::atomic<bool> triggered{false};
    // Multi handles currently able to wait; woken on Trigger.  A handle is
    // removed (under the mutex) before it is cleaned up.
    std::vector<CURLM*> waiting;
};

TransferStop::TransferStop() : m_state(std::make_shared<State>()) {}
TransferStop::~TransferStop() = default;

void TransferStop::Trigger() {
    std::lock_guard lock(m_state->mutex);
    m_state->triggered = true;
    for (CURLM* multi : m_state->waiting) curl_multi_wakeup(multi);
    m_state->cv.notify_all();
}

bool TransferStop::IsTriggered() const { return m_state->triggered.load(); }

bool TransferStop::WaitFor(std::chrono::milliseconds duration) const {
    std::unique_lock lock(m_state->mutex);
    return !m_state->cv.wait_for(lock, duration, [this] { return m_state->triggered.load(); });
}

// ---------------------------------------------------------------------------
// Transfer engine: one multi handle per session.  Its connection cache is what
// keeps an FTP login alive between downloads.

struct TransferEngine {
    CURLM* multi = nullptr;
    std::shared_ptr<TransferStop::State> stop;
    InternetOptions options;

    explicit TransferEngine(InternetOptions opts, std::shared_ptr<TransferStop::State> stopState)
        : stop(std::move(stopState)), options(std::move(opts)) {
        InitInternet();
        multi = curl_multi_init();
        std::lock_guard lock(stop->mutex);
        stop->waiting.push_back(multi);
    }

    ~TransferEngine() {
        {
            std::lock_guard lock(stop->mutex);
            stop->waiting.erase(std::remove(stop->waiting.begin(), stop->waiting.end(), multi), stop->waiting.end());
        }
        curl_multi_cleanup(multi);
    }

    bool Stopped() const { return stop->triggered.load(); }

    static int OnProgress(void* clientp, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<TransferEngine*>(clientp)->Stopped() ? 1 : 0;
    }

    long ConnectTimeoutMs() const { return static_cast<long>(options.connectTimeout.count()); }

    // Options every transfer shares.
    void Prepare(CURL* easy) {
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        // A stopped transfer must not wait for a host-name lookup that does
        // not answer: the lookup thread is left to finish on its own.
        curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(options.stallTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(options.stallTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(options.transferTimeout.count()));
        curl_easy_setopt(easy, CURLOPT_USERAGENT, options.agent.c_str());
        if (options.access == InternetAccess::Direct) {
            curl_easy_setopt(easy, CURLOPT_PROXY, "");
            curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
        }
        curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &TransferEngine::OnProgress);
        curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    }

    // Runs one transfer to its end.  The wait is woken by the stop signal, so
    // a triggered stop ends the transfer without waiting for the network.
    CURLcode Perform(CURL* easy) {
        if (Stopped()) return CURLE_ABORTED_BY_CALLBACK;
        if (curl_multi_add_handle(multi, easy) != CURLM_OK) return CURLE_FAILED_INIT;
        CURLcode result = CURLE_OK;
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK) {
                result = CURLE_FAILED_INIT;
                break;
            }
            bool done = false;
            int left = 0;
            while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
                if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy) {
                    result = msg->data.result;
                    done = true;
                }
            }
            if (done) break;
            if (running == 0) {
                result = CURLE_FAILED_INIT;
                break;
            }
            if (Stopped()) {
                result = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
        }
        curl_multi_remove_handle(multi, easy);
        return result;
    }
};

namespace {

struct EasyHandle {
    CURL* easy = curl_easy_init();
    ~EasyHandle() {
        if (easy) curl_easy_cleanup(easy);
    }
};

struct HeaderList {
    curl_slist* list = nullptr;
    ~HeaderList() { curl_slist_free_all(list); }
};

// "Name: value\r\n" lines into curl's header list.
void AddHeaderLines(HeaderList& headers, const std::string& block) {
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = block.find('\n', start);
        if (end == std::string::npos) end = block.size();
        std::string line = block.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) headers.list = curl_slist_append(headers.list, line.c_str());
        start = end + 1;
    }
}

struct StreamSink {
    const std::function<bool(std::string_view)>& consume;
    bool ended = false;          // the consumer wanted no more
    std::exception_ptr failure;  // thrown by the consumer; must not cross libcurl

    static size_t Write(char* data, size_t size, size_t count, void* userp) {
        auto* sink = static_cast<StreamSink*>(userp);
        size_t bytes = size * count;
        try {
            if (sink->consume(std::string_view(data, bytes))) return bytes;
            sink->ended = true;  // a short count ends the transfer: the rest is not read
        } catch (...) {
            sink->failure = std::current_exception();
        }
        return 0;
    }
};

struct FileSink {
    std::FILE* file;
    std::size_t limit;
    std::size_t written = 0;
    bool failed = false;

    static size_t Write(char* data, size_t size, size_t count, void* userp) {
        auto* sink = static_cast<FileSink*>(userp);
        size_t bytes = size * count;
        if (bytes > sink->limit - sink->written || std::fwrite(data, 1, bytes, sink->file) != bytes) {
            sink->failed = true;
            return 0;
        }
        sink->written += bytes;
        return bytes;
    }
};

std::string Describe(CURLcode code, const char* detail) {
    std::string text = curl_easy_strerror(code);
    if (detail && *detail) text += std::string(": ") + detail;
    return text;
}

// Percent-encodes each path segment of an FTP file name.
std::string EscapePath(CURL* easy, const std::string& path) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        std::size_t slash = path.find('/', start);
        std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (char* escaped = curl_easy_escape(easy, segment.c_str(), static_cast<int>(segment.size()))) {
            out += escaped;
            curl_free(escaped);
        }
        if (slash == std::string::npos) break;
        out += '/';
        start = slash + 1;
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// HttpFile

HttpFile::HttpFile(std::string body, long status, bool truncated)
    : m_body(std::move(body)), m_status(status), m_truncated(truncated) {}

bool HttpFile::ReadString(std::string& line) {
    if (m_pos >= m_body.size()) return false;
    std::size_t end = m_body.find('\n', m_pos);
    if (end == std::string::npos) {
        line.assign(m_body, m_pos, std::string::npos);
        m_pos = m_body.size();
    } else {
        line.assign(m_body, m_pos, end - m_pos);
        m_pos = end + 1;
    }
    return true;
}

// ---------------------------------------------------------------------------
// InternetSession

InternetSession::InternetSession(InternetOptions options)
    : m_stop(options.stop ? options.stop : std::make_shared<TransferStop>()),
      m_engine(std::make_shared<TransferEngine>(std::move(options), m_stop->GetState())) {}

InternetSession::~InternetSession() = default;

void InternetSession::Abort() { m_stop->Trigger(); }

void InternetSession::Close() { m_engine.reset(); }

std::unique_ptr<HttpFile> InternetSession::OpenURL(const std::string& url, const std::string& headers,
                                                   std::size_t maxBytes) {
    std::string body;
    bool truncated = false;
    long status = ReadPage(url, headers, [&](std::string_view piece) {
        const std::size_t take = std::min(piece.size(), maxBytes - body.size());
        body.append(piece.data(), take);
        truncated = take < piece.size();
        return !truncated;
    });
    return std::make_unique<HttpFile>(std::move(body), status, truncated);
}

void InternetSession::ReadURL(const std::string& url, const std::string& headers,
                              const std::function<bool(std::string_view piece)>& consume) {
    ReadPage(url, headers, consume);
}

long InternetSession::ReadPage(const std::string& url, const std::string& headers,
                               const std::function<bool(std::string_view piece)>& consume) {
    if (!m_engine) throw InternetException(0, "the session is closed");
    EasyHandle handle;
    if (!handle.easy) throw InternetException(CURLE_FAILED_INIT, "no transfer handle");
    CURL* easy = handle.easy;
    m_engine->Prepare(easy);

    HeaderList headerList;
    AddHeaderLines(headerList, headers);
    // Always from the origin server: ask caches on the way not to answer.
    headerList.list = curl_slist_append(headerList.list, "Cache-Control: no-cache");
    StreamSink sink{consume, false, nullptr};
    char error[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList.list);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &StreamSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);

    CURLcode result = m_engine->Perform(easy);
    if (sink.failure) std::rethrow_exception(sink.failure);
    if (result == CURLE_WRITE_ERROR && sink.ended) result = CURLE_OK;
    if (result != CURLE_OK) throw InternetException(result, Describe(result, error));

    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

std::unique_ptr<FtpConnection> InternetSession::GetFtpConnection(const std::string& hostAndPort,
                                                                 const std::string& user, const std::string& password,
                                                                 std::size_t maxFileBytes) {
    if (!m_engine) throw InternetException(0, "the session is closed");
    std::unique_ptr<FtpConnection> connection(new FtpConnection(m_engine, hostAndPort, maxFileBytes));
    CURL* easy = static_cast<CURL*>(connection->m_easy);
    if (!easy) throw InternetException(CURLE_FAILED_INIT, "no transfer handle");
    curl_easy_setopt(easy, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password.c_str());

    // The login itself: the root directory, no body.
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(easy, CURLOPT_URL, connection->m_base.c_str());
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    CURLcode result = m_engine->Perform(easy);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, nullptr);
    if (result != CURLE_OK) throw InternetException(result, Describe(result, error));
    return connection;
}

// ---------------------------------------------------------------------------
// FtpConnection

FtpConnection::FtpConnection(std::shared_ptr<TransferEngine> engine, std::string hostAndPort, std::size_t maxFileBytes)
    : m_engine(std::move(engine)), m_base("ftp://" + hostAndPort + "/"), m_maxFileBytes(maxFileBytes) {
    CURL* easy = curl_easy_init();
    m_easy = easy;
    if (!easy) return;
    m_engine->Prepare(easy);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(easy, CURLOPT_FTPPORT, "-");  // active mode
    // In active mode the server opens the data connection; libcurl's own wait
    // for it (a minute) would outlast every other bound the session sets.
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, m_engine->ConnectTimeoutMs());
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L);
}

FtpConnection::~FtpConnection() { Close(); }

void FtpConnection::Close() {
    if (m_easy) curl_easy_cleanup(static_cast<CURL*>(m_easy));
    m_easy = nullptr;
    m_engine.reset();
}

bool FtpConnection::GetFile(const std::string& remoteName, const std::string& localPath) {
    CURL* easy = static_cast<CURL*>(m_easy);
    // A name ending in "/" is a folder: libcurl would fetch its listing and
    // report it as the file.
    if (!easy || remoteName.empty() || remoteName.back() == '/' || localPath.empty()) return false;

    // Into a side file first, so that a failed download never damages the
    // file already there.
    const std::string partial = localPath + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return false;
    FileSink sink{file, m_maxFileBytes};

    std::string url = m_base + EscapePath(easy, remoteName);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_maxFileBytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &FileSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
    CURLcode result = m_engine->Perform(easy);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, nullptr);

    bool ok = std::fclose(file) == 0 && result == CURLE_OK && !sink.failed;
    if (ok) ok = std::rename(partial.c_str(), localPath.c_str()) == 0;
    if (!ok) std::remove(partial.c_str());
    return ok;
}

}  // namespace wv
