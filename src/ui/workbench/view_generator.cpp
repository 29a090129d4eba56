// The variant generator: the Go button in results mode and its worker.
#include <chrono>
#include <new>
#include <system_error>
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
    if (!m_bEntrySelected[0]) {
        // Browser mode: Go sends the pane to the typed address and neither
        // starts nor stops a run.
        if (m_pBrowserPane) m_pBrowserPane->Navigate(m_strKeyword);
        return;
    }
    if (m_bRunning.load()) {
        m_bRunning.store(0);
        return;
    }
    // A stopped run may still be writing its closing steps; one run at a time.
    if (m_bWorkerBusy.load()) return;
    if (m_generator.joinable()) m_generator.join();
    // Raised here, before the thread exists, so a second click cannot start
    // a second worker; the worker keeps it raised.
    m_bRunning.store(1);
    m_bWorkerBusy.store(true);
    try {
        m_generator = std::thread([this, keyword = m_strKeyword] { GenerateVariants(keyword); });
    } catch (const std::system_error&) {
        // No thread, no run: leave the generator ready for the next click.
        m_bRunning.store(0);
        m_bWorkerBusy.store(false);
    }
}

void CTarnwickView::GenerateVariants(std::string keyword) {
    // m_bRunning was raised by OnGoButton; raising it again here would undo
    // a stop request that came in before the worker got going.
    UiCall([this] { m_btnGo->SetLabel("Deleting"); });
    UiCall([this] {
        m_listResults->Freeze();
        m_listResults->DeleteAllRows();
        m_listResults->Thaw();
    });
    UiCall([this] {
        m_btnGo->SetLabel("Stop");
        m_btnSmartFind->Hide();
    });

    try {
        wv::GenerateVariantRows(std::move(keyword), [this](int row, const std::string& variant) {
            char number[16];
            std::snprintf(number, sizeof number, "%d", row);
            // One UI step per row: a header sort can never fall between the
            // insertion and the cells.
            if (!UiCall([&] { m_listResults->InsertRow(0, {number, variant, kHint}); })) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return m_bRunning.load() != 0;
        });
    } catch (const std::bad_alloc&) {
        // Out of memory mid-run: end it as a stopped run, rows so far kept.
    }

    UiCall([this] { m_listResults->SortByColumn(0, true); });
    UiCall([this] {
        m_btnGo->SetLabel("Go");
        m_btnSmartFind->Show();
        m_bRunning.store(0);
        m_bWorkerBusy.store(false);
    });
}

void CTarnwickView::StopGenerator() {
    m_bRunning.store(0);
    if (!m_generator.joinable()) return;
    // The worker may be waiting for the UI thread, which is this thread:
    // cancel its pending call so it can finish, then reopen the gate.
    m_uiGate.Cancel();
    m_generator.join();
    m_uiGate.Reset();
    m_bWorkerBusy.store(false);
}

} // namespace wv
