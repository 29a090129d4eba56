#include "platform/wx_ui_poster.h"

#include <wx/app.h>

namespace wv {

void WxUiPoster::Post(std::function<void()> fn) {
    if (wxTheApp) wxTheApp->CallAfter(std::move(fn));
}

}  // namespace wv
