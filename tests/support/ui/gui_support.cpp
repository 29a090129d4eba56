#include "gui_support.h"

#include <thread>

#include <wx/app.h>
#include <wx/event.h>
#include <wx/evtloop.h>
#include <wx/window.h>

namespace wvtest {

namespace {
void PumpOnce() {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (loop) {
        while (loop->Pending()) loop->Dispatch();
        loop->ProcessIdle();
    }
    if (wxTheApp) wxTheApp->ProcessPendingEvents();
}
}  // namespace

bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= deadline) return pred();
        PumpOnce();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void PumpFor(std::chrono::milliseconds duration) {
    auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline) {
        PumpOnce();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void ShowAndSettle(wxWindow* window) {
    window->Show();
    window->Raise();
    PumpUntil([window] { return window->IsShownOnScreen(); }, std::chrono::seconds(5));
    window->Update();
    PumpFor(std::chrono::milliseconds(100));
}

void SendCommand(wxWindow* frame, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
}

}  // namespace wvtest
