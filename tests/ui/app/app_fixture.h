#pragma once
// Shared by the application's GUI tests: the vendor's home page is pointed at
// a loopback server whose page each test chooses, and settings go to a
// temporary folder.  The program reads its addresses once per process, so
// this happens while static objects are initialised, before main.
#include <mutex>
#include <string>
#include <vector>

#include "loopback_server.h"
#include "stand_in_services.h"

namespace wvtest {

struct HomePageServer {
    std::mutex mutex;
    std::string body = "<html>Tarnwick</html>\n";
    LoopbackServer server{[this](LoopbackConnection& c) {
        std::string head;
        if (!c.ReadRequestHead(head)) return;
        std::string page;
        {
            std::lock_guard lock(mutex);
            page = body;
        }
        c.SendHttp(page);
    }};

    void SetPage(std::string page) {
        std::lock_guard lock(mutex);
        body = std::move(page);
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

} // namespace wvtest
