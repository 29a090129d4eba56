#pragma once
// Helpers for tests that run in a real window.  The test main creates a wxApp
// and runs every test on the UI thread; these pump its event loop.
#include <chrono>
#include <functional>

class wxWindow;

namespace wvtest {

// Processes pending events until pred() holds or the timeout passes;
// returns pred()'s last value.
bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Processes pending events for the given time (for things that have no event
// to wait for, such as "nothing else happens").
void PumpFor(std::chrono::milliseconds duration);

// Shows a window and waits until it is mapped and painted once.
void ShowAndSettle(wxWindow* window);

// Sends a command to the frame, as its menu, a toolbar or a key would.
void SendCommand(wxWindow* frame, int id);

}  // namespace wvtest
