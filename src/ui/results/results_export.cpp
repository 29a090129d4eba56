#include "ui/results/results_export.h"

#include <wx/filedlg.h>
#include <wx/utils.h>

#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "ui/app/app_message_box.h"
#include "ui/results/results_list.h"

namespace wv {

ExportPrompts DefaultExportPrompts() {
    ExportPrompts prompts;
    prompts.chooseFile = [](wxWindow* owner) {
        wxFileDialog dialog(owner, "Export List", wxEmptyString, "variants.csv",
                            "CSV files (*.csv)|*.csv|All files|*", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    };
    prompts.tell = [](wxWindow* owner, const std::string& text) { wv::AppMessageBox(text, wxOK, owner); };
    return prompts;
}

ExportOutcome ExportResultsList(const CResultsListCtrl& list, wxWindow* owner, const ExportPrompts& prompts) {
    if (list.GetRowCount() <= 0) {
        prompts.tell(owner, "Please search for something first so there is a list to export.");
        return ExportOutcome::NothingToExport;
    }
    const wxString path = prompts.chooseFile(owner);
    if (path.empty()) return ExportOutcome::Cancelled;
    // A name the file system's encoding cannot hold converts to a null
    // buffer; as an empty name the write refuses it.
    const wxCharBuffer native = path.fn_str();
    const std::string nativePath = native.data() ? std::string(native.data()) : std::string();
    std::string error;
    bool written;
    {
        wxBusyCursor busy;  // a long list takes a moment to reach the disk
        written = wv::WriteFileAtomically(nativePath, list.ToCsv(), &error);
    }
    if (written) return ExportOutcome::Written;
    prompts.tell(owner, "The list could not be exported to " + wv::ToAnsi(path) + ": " + error + ".");
    return ExportOutcome::Failed;
}

} // namespace wv
