// The view's word-list import: the question to the user is the only part that
// needs a window; loading and the append-or-replace decision are pure logic.
#include <wx/msgdlg.h>
#include <wx/panel.h>

#include "core/dictionary/word_list_import.h"
#include "core/dictionary/word_trie.h"
#include "ui/services/app_message_box.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

void CTarnwickView::ImportDictionary() {
    if (!m_pDictionary) return;
    wv::ImportWordList(*m_pDictionary, [this] {
        return wv::AppMessageBox("The dictionary already contains words.\n\nDo you wish to append this word list?",
                                 wxYES_NO | wxICON_QUESTION, m_pForm) == wxYES;
    });
    m_bDictionaryHasWords = m_pDictionary->HasWords();
}

}  // namespace wv
