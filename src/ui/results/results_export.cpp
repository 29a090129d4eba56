#include "ui/results/results_export.h"

#include <new>
#include <string>

#include <wx/filename.h>
#include <wx/utils.h>

#include "core/results/csv_export.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "ui/results/results_list.h"
#include "ui/services/app_message_box.h"
#include "ui/services/app_services.h"

namespace wv {

namespace {
void Tell(wxWindow* owner, const std::string& text) { wv::AppMessageBox(text, wxOK, owner); }
}  // namespace

ExportOutcome ExportResultsList(const CResultsListCtrl& list, wxWindow* owner, const ExportRequest& request) {
    if (list.GetRowCount() <= 0) {
        Tell(owner, "Please search for something first so there is a list to export.");
        return ExportOutcome::NothingToExport;
    }
    const wxString folder = request.folder ? wxString::FromUTF8(*request.folder) : wxString();
    const wxString path = Services().ChooseExportFile(owner, folder, wv::FromAnsi(wv::ExportFileName(request.keyword)));
    if (path.empty()) return ExportOutcome::Cancelled;
    // A name the file system's encoding cannot hold converts to a null
    // buffer; as an empty name the write refuses it.
    const wxCharBuffer native = path.fn_str();
    const std::string nativePath = native.data() ? std::string(native.data()) : std::string();
    std::string error;
    bool written;
    try {
        wxBusyCursor busy;  // a long list takes a moment to reach the disk
        written = wv::WriteFileAtomically(nativePath, list.ToExportCsv(request.keyword, request.columns), &error);
    } catch (const std::bad_alloc&) {
        // A letter-order list has no cap: its text may not fit beside it.
        written = false;
        error = "not enough memory for the list's text";
    }
    if (written) {
        if (request.folder) *request.folder = wxFileName(path).GetPath().utf8_string();
        return ExportOutcome::Written;
    }
    Tell(owner, "The list could not be exported to " + wv::ToAnsi(path) + ": " + error + ".");
    return ExportOutcome::Failed;
}

}  // namespace wv
