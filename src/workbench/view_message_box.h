#pragma once
// The view's own message box (OK only, no icon, the application title as
// caption), replaceable so that tests never wait on a modal dialog.
// UI thread only.
#include <functional>
#include <string>

class wxWindow;

namespace wv {

using ViewMessageBoxFn = std::function<void(wxWindow* owner, const std::string& text)>;

// Shows text in the view's message box over owner.
void ShowViewMessageBox(wxWindow* owner, const std::string& text);

// Replaces the box; an empty function brings the real one back.  Returns
// the replacement that was in place before.
ViewMessageBoxFn SetViewMessageBoxHook(ViewMessageBoxFn hook);

} // namespace wv
