// The browser pane's place in the view: created hidden at initial update,
// sharing the results list's rectangle.
#include <wx/panel.h>

#include "ui/browser/fix_html_view.h"
#include "ui/workbench/form_layout.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

void CTarnwickView::CreateBrowserPane() {
    auto* pane = new CFixHtmlView;
    if (!pane->CreatePane(m_pForm)) {
        delete pane;
        return;
    }
    m_pBrowserPane = pane;
}

void CTarnwickView::PlaceBrowserPane() {
    if (!m_pBrowserPane || !m_pBrowserPane->GetWindow()) return;
    const auto& r = wv::form::kResultsArea;
    m_pBrowserPane->GetWindow()->SetSize(r.x, r.y, r.width, r.height);
    m_pBrowserPane->GetWindow()->Refresh();
}

}  // namespace wv
