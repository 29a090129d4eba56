#pragma once
// The workbench window with real mouse presses on the form, for the panel's
// tests.  Presses go through the display (XTest), so they take the route a
// user's press takes, group boxes and pictures included.
#include <chrono>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/event.h>
#include <wx/eventfilter.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/uiaction.h>

#include "gui_support.h"
#include "gui_workbench.h"
#include "platform/code_page.h"
#include "recording_site.h"
#include "ui/app/main_frame.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CTarnwickView;

namespace wvtest {

// Counts button presses anywhere in the program, to know when a simulated
// press has been handled.
class PressCounter : public wxEventFilter {
public:
    PressCounter() { wxEvtHandler::AddFilter(this); }
    ~PressCounter() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override {
        const wxEventType type = event.GetEventType();
        if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN) ++presses;
        return Event_Skip;
    }
    int presses = 0;
};

class PanelTest : public ::testing::Test {
protected:
    WorkbenchWindow window;
    PressCounter counter;

    CTarnwickView& view() { return *window.view(); }
    wxPanel* form() { return view().GetForm(); }
    int Entry() { return view().SelectedPanelEntry(); }
    std::string Group() { return wv::ToAnsi(view().KeywordGroup()->GetLabel()); }
    bool ListShown() { return view().ResultsList()->IsShown(); }
    bool PaneShown() { return view().BrowserPane() && view().BrowserPane()->GetWindow()->IsShown(); }
    bool SmartFindShown() { return view().SmartFindButton()->IsShown(); }

    // A press at a point of the form (client pixels) with the given button.
    // Returns false when no press arrived.
    bool Press(wxPoint at, wxMouseButton button = wxMOUSE_BTN_LEFT) {
        using namespace std::chrono;
        // Two presses close in time and place are one double-click for the
        // display; keep presses at one spot apart.
        const auto since = steady_clock::now() - m_lastTime;
        if (button == m_lastButton && std::abs(at.x - m_lastAt.x) + std::abs(at.y - m_lastAt.y) < 12 &&
            since < milliseconds(700))
            PumpFor(duration_cast<milliseconds>(milliseconds(700) - since));
        const int before = counter.presses;
        wxUIActionSimulator sim;
        sim.MouseMove(form()->ClientToScreen(at));
        sim.MouseDown(button);
        sim.MouseUp(button);
        const bool arrived = PumpUntil([&] { return counter.presses > before; }, seconds(3));
        m_lastTime = steady_clock::now();
        m_lastAt = at;
        m_lastButton = button;
        return arrived;
    }

    void Command(int id) { wvtest::SendCommand(window.frame(), id); }

private:
    std::chrono::steady_clock::time_point m_lastTime{};
    wxPoint m_lastAt{-100, -100};
    wxMouseButton m_lastButton = wxMOUSE_BTN_NONE;
};

}  // namespace wvtest
