#include "loopback_server.h"

#include <stdexcept>
#include <utility>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wvtest {

namespace {
constexpr int kMaxOpen = 64;
constexpr std::size_t kMaxHead = 64 * 1024;
}  // namespace

// ---------------------------------------------------------------------------
// Connection

bool LoopbackConnection::Stopping() const { return m_server.m_stopping.load(); }

bool LoopbackConnection::WaitReadable(std::chrono::milliseconds timeout) {
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_server.m_wakePipe[0], POLLIN, 0}};
    int n = poll(fds, 2, static_cast<int>(timeout.count()));
    return n > 0 && !(fds[1].revents & POLLIN) && (fds[0].revents & (POLLIN | POLLHUP | POLLERR));
}

bool LoopbackConnection::ReadRequestHead(std::string& head) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        std::size_t end = m_buffer.find("\r\n\r\n");
        if (end != std::string::npos) {
            head = m_buffer.substr(0, end + 4);
            m_buffer.erase(0, end + 4);
            m_server.Record(head.substr(0, head.find("\r\n")));
            return true;
        }
        if (m_buffer.size() > kMaxHead || Stopping() || std::chrono::steady_clock::now() > deadline) return false;
        if (!WaitReadable(std::chrono::milliseconds(200))) continue;
        char chunk[4096];
        ssize_t got = recv(m_fd, chunk, sizeof chunk, 0);
        if (got <= 0) return false;
        m_buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

std::string LoopbackConnection::ReadSome(std::chrono::milliseconds timeout) {
    if (!m_buffer.empty()) return std::exchange(m_buffer, {});
    if (!WaitReadable(timeout)) return {};
    char chunk[4096];
    ssize_t got = recv(m_fd, chunk, sizeof chunk, 0);
    return got > 0 ? std::string(chunk, static_cast<std::size_t>(got)) : std::string();
}

bool LoopbackConnection::Send(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

bool LoopbackConnection::SendHttp(const std::string& body, int status, const std::string& contentType) {
    std::string head = "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Status") +
                       "\r\nContent-Type: " + contentType + "\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\nConnection: close\r\n\r\n";
    return Send(head + body);
}

void LoopbackConnection::WaitForStop() {
    pollfd fd{m_server.m_wakePipe[0], POLLIN, 0};
    while (!Stopping()) poll(&fd, 1, 200);
}

bool LoopbackConnection::Pause(std::chrono::milliseconds duration) {
    pollfd fd{m_server.m_wakePipe[0], POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (auto now = std::chrono::steady_clock::now(); !Stopping() && now < deadline;
         now = std::chrono::steady_clock::now())
        poll(&fd, 1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count()));
    return !Stopping();
}

// ---------------------------------------------------------------------------
// Server

LoopbackServer::LoopbackServer(Behaviour behaviour) : m_behaviour(std::move(behaviour)) {
    if (pipe2(m_wakePipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t length = sizeof addr;
    if (m_listenFd < 0 || bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(m_listenFd, 16) != 0 || getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    m_port = ntohs(addr.sin_port);
    m_acceptThread = std::thread(&LoopbackServer::AcceptLoop, this);
}

LoopbackServer::~LoopbackServer() {
    m_stopping = true;
    char wake = 1;
    (void)!write(m_wakePipe[1], &wake, 1);
    m_acceptThread.join();
    for (Handler& handler : m_handlers) handler.thread.join();
    close(m_listenFd);
    close(m_wakePipe[0]);
    close(m_wakePipe[1]);
}

void LoopbackServer::AcceptLoop() {
    while (!m_stopping) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        if (poll(fds, 2, 500) <= 0 || (fds[1].revents & POLLIN)) continue;
        int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        // Finished connections give their threads back.
        for (auto it = m_handlers.begin(); it != m_handlers.end();) {
            auto next = std::next(it);
            if (it->done) {
                it->thread.join();
                m_handlers.erase(it);
            }
            it = next;
        }
        if (m_open.load() >= kMaxOpen) {
            close(fd);
            continue;
        }
        ++m_open;
        {
            std::lock_guard lock(m_mutex);
            ++m_connections;
            m_cv.notify_all();
        }
        Handler& handler = m_handlers.emplace_back();
        handler.thread = std::thread([this, fd, &handler] {
            LoopbackConnection connection(*this, fd);
            m_behaviour(connection);
            shutdown(fd, SHUT_RDWR);
            close(fd);
            --m_open;
            handler.done = true;
        });
    }
}

void LoopbackServer::Record(const std::string& line) {
    std::lock_guard lock(m_mutex);
    m_requestLines.push_back(line);
    m_cv.notify_all();
}

std::string LoopbackServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> LoopbackServer::RequestLines() const {
    std::lock_guard lock(m_mutex);
    return m_requestLines;
}

bool LoopbackServer::WaitForRequests(const std::function<bool(const std::vector<std::string>&)>& pred,
                                     std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, timeout, [&] { return pred(m_requestLines); });
}

bool LoopbackServer::WaitForConnections(int count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, timeout, [&] { return m_connections.load() >= count; });
}

LoopbackServer::Behaviour LoopbackServer::Answer(std::string body, int status) {
    return [body = std::move(body), status](LoopbackConnection& c) {
        std::string head;
        if (c.ReadRequestHead(head)) c.SendHttp(body, status);
    };
}

LoopbackServer::Behaviour LoopbackServer::Silent() {
    return [](LoopbackConnection& c) { c.WaitForStop(); };
}

LoopbackServer::Behaviour LoopbackServer::DropMidBody(std::string bodyStart, std::size_t declaredLength) {
    return [bodyStart = std::move(bodyStart), declaredLength](LoopbackConnection& c) {
        std::string head;
        if (!c.ReadRequestHead(head)) return;
        c.Send("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(declaredLength) +
               "\r\n\r\n" + bodyStart);
    };
}

LoopbackServer::Behaviour LoopbackServer::Drip(std::string bodyStart, std::chrono::milliseconds interval,
                                               int maxDrips) {
    return [bodyStart = std::move(bodyStart), interval, maxDrips](LoopbackConnection& c) {
        std::string head;
        if (!c.ReadRequestHead(head)) return;
        if (!c.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + bodyStart)) return;
        for (int i = 0; i < maxDrips && c.Pause(interval); ++i)
            if (!c.Send("x")) return;
    };
}

}  // namespace wvtest
