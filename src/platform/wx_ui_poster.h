#pragma once
// The UiPoster that reaches the wx UI thread: CallAfter on the application
// object (never on a window, which may be gone by the time the call runs).
#include "core/marshal/ui_marshal.h"

namespace wv {

class WxUiPoster final : public UiPoster {
public:
    void Post(std::function<void()> fn) override;
};

// Installs a process-wide WxUiPoster; call on the UI thread once wxTheApp exists.
void InstallWxUiPoster();

} // namespace wv
