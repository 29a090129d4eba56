#pragma once
// What the windows inside the main frame ask of it: its status text, and
// which view takes commands first.  The main frame implements it; the
// windows inside find it through their top-level window, so they never need
// the frame's own class (which belongs to the application above them).
// UI thread only.
#include <string>

class wxView;
class wxWindow;

namespace wv {

class MainWindowHooks {
public:
    // An explicit status text (Windows-1252), at most 255 bytes of it; the
    // status pane shows the vendor notice in its place.
    virtual void ShowStatusText(const std::string& text) = 0;

    // The view offered commands before the document's view while it is
    // active; nullptr returns the commands to the ordinary route.
    virtual void SetActiveView(wxView* view) = 0;
    virtual wxView* GetActiveView() const = 0;

protected:
    ~MainWindowHooks() = default;
};

// The hooks of window's top-level window (window itself when it is one);
// nullptr when there is none or it has no hooks.
MainWindowHooks* FindMainWindowHooks(wxWindow* window);

}  // namespace wv
