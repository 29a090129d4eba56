#pragma once
// The UiPoster that reaches the wx UI thread: CallAfter on the application
// object (never on a window, which may be gone by the time the call runs).
// The program's services own one and hand it to the marshal.
#include "core/marshal/ui_marshal.h"

namespace wv {

class WxUiPoster final : public UiPoster {
public:
    void Post(std::function<void()> fn) override;
};

}  // namespace wv
