#pragma once
// Servers for the banner thread's tests, on 127.0.0.1: a port nobody listens
// on, and an FTP server that logs anyone in and then never answers a
// download.  Header-only; both end with the object.
#include <atomic>
#include <chrono>
#include <string>

#include "loopback_server.h"

namespace wvtest {

// A loopback port that was just free and has nobody listening (connections
// to it are refused).
inline int RefusingPort() {
    LoopbackServer server(LoopbackServer::Silent());
    return server.Port();
}

inline std::string RefusingAddress() { return "127.0.0.1:" + std::to_string(RefusingPort()); }

// Answers the login and the set-up commands of an active-mode download, then
// holds every RETR (and SIZE) without a reply until the server is destroyed.
// One that announces downloads answers SIZE and replies "150" to RETR, as if
// it were about to open the data connection, which it never does.
class StalledFtpServer {
public:
    explicit StalledFtpServer(bool announceDownloads = false)
        : m_announce(announceDownloads), m_server([this](LoopbackConnection& c) {
              if (!c.Send("220 stalled banner server\r\n")) return;
              std::string input;
              while (!c.Stopping()) {
                  input += c.ReadSome(std::chrono::milliseconds(100));
                  for (std::size_t end; (end = input.find("\r\n")) != std::string::npos;) {
                      const std::string verb = input.substr(0, input.find_first_of(" \r"));
                      input.erase(0, end + 2);
                      if (m_announce && verb == "SIZE") {
                          if (!c.Send("213 6\r\n")) return;
                          continue;
                      }
                      if (verb == "RETR" || verb == "SIZE") {
                          ++m_stalled;
                          if (m_announce) c.Send("150 opening the data connection\r\n");
                          c.WaitForStop();
                          return;
                      }
                      if (!c.Send(Reply(verb))) return;
                  }
              }
          }) {}

    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(m_server.Port()); }
    // Downloads being held.
    int Stalled() const { return m_stalled.load(); }

private:
    static std::string Reply(const std::string& verb) {
        if (verb == "USER") return "331 any password will do\r\n";
        if (verb == "PASS") return "230 in\r\n";
        if (verb == "PWD") return "257 \"/\"\r\n";
        if (verb == "QUIT") return "221 bye\r\n";
        if (verb == "EPSV" || verb == "PASV") return "500 active mode only\r\n";
        return "200 done\r\n";
    }

    const bool m_announce;
    std::atomic<int> m_stalled{0};
    LoopbackServer m_server;  // last: its threads use the members above
};

}  // namespace wvtest
