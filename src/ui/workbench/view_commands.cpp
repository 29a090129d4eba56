// The menu commands the view handles: the Variants menu and File > Export
// List...
#include <wx/menu.h>
#include <wx/panel.h>

#include "core/res/resource.h"
#include "ui/results/results_export.h"
#include "ui/services/app_message_box.h"
#include "ui/services/app_services.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

void CTarnwickView::OnVariantsCommand(wxCommandEvent& event) {
    VariantSettings& settings = *m_context.variantSettings;
    switch (event.GetId()) {
    case res::ID_VARIANTS_LETTER_ORDER: settings.mode = VariantMode::LetterOrder; break;
    case res::ID_VARIANTS_LIKELY_TYPOS: settings.mode = VariantMode::LikelyTypos; break;
    case res::ID_VARIANTS_SKIP_REAL_WORDS:
        // A menu item's own toggle would leave the setting to whoever sent
        // the event; the setting is the one state.
        settings.skipRealWords = !settings.skipRealWords;
        break;
    default: event.Skip(); return;
    }
}

void CTarnwickView::OnVariantsUpdateUi(wxUpdateUIEvent& event) {
    const VariantSettings& settings = *m_context.variantSettings;
    switch (event.GetId()) {
    case res::ID_VARIANTS_LETTER_ORDER: event.Check(settings.mode == VariantMode::LetterOrder); break;
    case res::ID_VARIANTS_LIKELY_TYPOS: event.Check(settings.mode == VariantMode::LikelyTypos); break;
    case res::ID_VARIANTS_SKIP_REAL_WORDS:
        event.Check(settings.skipRealWords);
        // Without words there is nothing to skip, and Letter Order skips none.
        event.Enable(m_bDictionaryHasWords && settings.mode == VariantMode::LikelyTypos);
        break;
    default: event.Skip(); break;
    }
}

void CTarnwickView::OnExportList(wxCommandEvent&) {
    if (!m_listResults) return;
    ExportResultsList(*m_listResults, m_pForm,
                      {m_listRun.Keyword(), ExportedColumns(m_listRun.Mode()), m_context.exportFolder});
}

}  // namespace wv
