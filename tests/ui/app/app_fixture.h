#pragma once
// Shared by the application's GUI tests: the vendor's home page is pointed at
// a loopback server whose page each test chooses, and settings go to a
// temporary folder.  The program reads its addresses once per process, so
// this happens while static objects are initialised, before main.
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "loopback_server.h"
#include "stand_in_services.h"

namespace wvtest {

struct HomePageServer {
    std::mutex mutex;
    std::string body = "<html>Tarnwick</html>\n";
    std::chrono::milliseconds drip{0};
    LoopbackServer server{[this](LoopbackConnection& c) {
        std::string page;
        std::chrono::milliseconds interval;
        {
            std::lock_guard lock(mutex);
            page = body;
            interval = drip;
        }
        if (interval.count() > 0) return LoopbackServer::Drip(page, interval)(c);
        std::string head;
        if (!c.ReadRequestHead(head)) return;
        c.SendHttp(page);
    }};

    void SetPage(std::string page) {
        std::lock_guard lock(mutex);
        body = std::move(page);
        drip = std::chrono::milliseconds(0);
    }
    // The page starts with `start`, then one byte each interval, for ever.
    void SetDrippingPage(std::string start, std::chrono::milliseconds interval) {
        std::lock_guard lock(mutex);
        body = std::move(start);
        drip = interval;
    }
};

HomePageServer& HomePage();

// Message boxes recorded instead of shown, for the object's lifetime.
struct RecordedBoxes {
    struct Box {
        std::string text, caption;
        long style;
        bool anyWindowShown;
    };
    std::vector<Box> boxes;
    RecordedBoxes();
    ~RecordedBoxes() { TestServices().SetMessageBoxHandler({}); }
};

}  // namespace wvtest
