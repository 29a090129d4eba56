// The variant generator: the Go button in results mode and its worker.
#include <chrono>
#include <new>
#include <cstdio>
#include <thread>

#include <wx/button.h>
#include <wx/textctrl.h>

#include "ui/browser/fix_html_view.h"
#include "platform/code_page.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"
#include "core/workbench/variant_generator.h"

namespace wv {

namespace {
constexpr const char* kHint = "Double Click To Search On eBay";
}

void CTarnwickView::OnGoButton(wxCommandEvent&) {
    m_strKeyword = wv::ToAnsi(m_editKeyword->GetValue());
    if (!m_panel.ResultsSelected()) {
        // Browser mode: Go sends the pane to the typed address and neither
        // starts nor stops a run.
        if (m_pBrowserPane) m_pBrowserPane->Navigate(m_strKeyword);
        return;
    }
    if (m_generator.IsRunning()) {
        m_generator.RequestStop();
        return;
    }
    m_generator.Start([this, keyword = m_strKeyword] { GenerateVariants(keyword); });
}

void CTarnwickView::GenerateVariants(std::string keyword) {
    // The run's flag was raised by Start; raising it again here would undo a
    // stop request that came in before the worker got going.
    m_generator.UiCall([this] { m_btnGo->SetLabel("Deleting"); });
    m_generator.UiCall([this] {
        m_listResults->Freeze();
        m_listResults->DeleteAllRows();
        m_listResults->Thaw();
    });
    m_generator.UiCall([this] {
        m_btnGo->SetLabel("Stop");
        m_btnSmartFind->Hide();
    });

    try {
        wv::GenerateVariantRows(std::move(keyword), [this](int row, const std::string& variant) {
            char number[16];
            std::snprintf(number, sizeof number, "%d", row);
            // One UI step per row: a header sort can never fall between the
            // insertion and the cells.
            if (!m_generator.UiCall([&] { m_listResults->InsertRow(0, {number, variant, kHint}); }))
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return m_generator.IsRunning();
        });
    } catch (const std::bad_alloc&) {
        // Out of memory mid-run: end it as a stopped run, rows so far kept.
    }

    m_generator.UiCall([this] { m_listResults->SortByColumn(0, true); });
    m_generator.UiCall([this] {
        m_btnGo->SetLabel("Go");
        m_btnSmartFind->Show();
        m_generator.Finish();
    });
}

} // namespace wv
