#pragma once
// A poster for GUI tests that runs marshalled calls as the program's does
// and records the Go button's caption after each one.
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>

#include "core/marshal/ui_marshal.h"
#include "platform/code_page.h"
#include "stand_in_services.h"

namespace wvtest {

// Runs marshalled calls like the program's poster, and notes the Go
// button's caption after each, so that even a caption that lasts a single
// call ("Deleting") is seen.
class CaptionRecorder : public wv::UiPoster {
public:
    explicit CaptionRecorder(wxButton* go) : m_state(std::make_shared<State>()) {
        m_state->go = go;
        m_state->captions.push_back(m_state->Caption());
    }
    ~CaptionRecorder() override { wvtest::TestServices().UsePoster(); }
    void Post(std::function<void()> fn) override {
        // The state is shared with the queued call, which may run after the
        // recorder is gone (the window's own teardown pumps the queue).
        wxTheApp->CallAfter([state = m_state, fn = std::move(fn)] {
            fn();
            if (!state->go) return;
            std::string now = state->Caption();
            if (now != state->captions.back()) state->captions.push_back(now);
        });
    }
    const std::vector<std::string>& captions() const { return m_state->captions; }
    // Stops looking at the button (before the window goes).
    void Detach() { m_state->go = nullptr; }

private:
    struct State {
        std::string Caption() const { return wv::ToAnsi(go->GetLabel()); }
        wxButton* go = nullptr;
        std::vector<std::string> captions;
    };
    std::shared_ptr<State> m_state;
};

}  // namespace wvtest
