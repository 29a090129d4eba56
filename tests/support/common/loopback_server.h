#pragma once
// Small purpose-built TCP servers on 127.0.0.1 for tests that need a server
// to misbehave (never answer, drop the connection mid-body) or to record what
// a client sent.  Each accepted connection gets a thread running the
// behaviour; everything is bounded and ends when the server is destroyed:
// waits are woken, connections closed, threads joined.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wvtest {

class LoopbackServer;

// One accepted connection, as seen by a behaviour (on its own thread).
class LoopbackConnection {
public:
    // Reads the request head (up to the blank line, at most 64 KiB); records
    // its first line with the server.  False when the client closed first or
    // the server is stopping.
    bool ReadRequestHead(std::string& head);
    // Reads whatever arrives within the timeout (empty on none).
    std::string ReadSome(std::chrono::milliseconds timeout);
    bool Send(const std::string& bytes);
    // Blocks until the server stops (for servers that never answer).
    void WaitForStop();
    // Waits for the duration unless the server stops first; false then.
    bool Pause(std::chrono::milliseconds duration);
    bool Stopping() const;
    // Sends "HTTP/1.0 <status>" with Content-Length and the body, then closes.
    bool SendHttp(const std::string& body, int status = 200, const std::string& contentType = "text/html");

private:
    friend class LoopbackServer;
    LoopbackConnection(LoopbackServer& server, int fd) : m_server(server), m_fd(fd) {}
    bool WaitReadable(std::chrono::milliseconds timeout);

    LoopbackServer& m_server;
    int m_fd;
    std::string m_buffer;
};

class LoopbackServer {
public:
    using Behaviour = std::function<void(LoopbackConnection&)>;

    explicit LoopbackServer(Behaviour behaviour);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string Url(const std::string& path = "/") const;
    // Request lines recorded by ReadRequestHead, in arrival order.
    std::vector<std::string> RequestLines() const;
    // Connections accepted so far (all, not just the open ones).
    int Connections() const { return m_connections.load(); }
    // Waits until at least count connections have been accepted.
    bool WaitForConnections(int count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Waits until pred(RequestLines()) holds; false on timeout.
    bool WaitForRequests(const std::function<bool(const std::vector<std::string>&)>& pred,
                         std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // Ready-made behaviours.
    // Answers every request with the body (HTTP/1.0, then closes).
    static Behaviour Answer(std::string body, int status = 200);
    // Accepts and never answers.
    static Behaviour Silent();
    // Promises declaredLength bytes, sends the first part of body, closes.
    static Behaviour DropMidBody(std::string bodyStart, std::size_t declaredLength);
    // Answers 200 with bodyStart, then one more 'x' every interval, without
    // end, until the client leaves, the server stops or maxDrips are sent.
    static Behaviour Drip(std::string bodyStart, std::chrono::milliseconds interval, int maxDrips = 600);

private:
    friend class LoopbackConnection;
    void AcceptLoop();
    void Record(const std::string& line);

    Behaviour m_behaviour;
    int m_listenFd = -1;
    int m_wakePipe[2] = {-1, -1};
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_connections{0};
    std::atomic<int> m_open{0};  // at most kMaxOpen at a time
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    std::vector<std::string> m_requestLines;
    struct Handler {
        std::thread thread;
        std::atomic<bool> done{false};
    };
    std::list<Handler> m_handlers;  // touched by the accept thread, then the destructor
    std::thread m_acceptThread;
};

}  // namespace wvtest
