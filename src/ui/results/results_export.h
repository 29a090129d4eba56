#pragma once
// File > Export List...: the results list written as CSV (see
// core/results/csv_export.h) to a file the user chooses, replaced whole or
// not at all (platform/atomic_file.h).  UI thread only.
#include <functional>
#include <string>

#include <wx/string.h>

class wxWindow;

namespace wv {

class CResultsListCtrl;

// What the export asks of the user.  Passed in so that tests, and the
// application's own dialogs, can stand in for the default ones.
struct ExportPrompts {
    // The file to write, or an empty name when the user cancels.  Asked only
    // when the list has rows.
    std::function<wxString(wxWindow* owner)> chooseFile;
    // Tells the user why nothing was written (text: Windows-1252 bytes).
    std::function<void(wxWindow* owner, const std::string& text)> tell;
};

// A save dialog that asks before replacing a file, and the application's
// message box.
ExportPrompts DefaultExportPrompts();

enum class ExportOutcome { Written, NothingToExport, Cancelled, Failed };

// Every row with the column titles first, in the list's order; the user is
// told when the list is empty or the file cannot be written.
ExportOutcome ExportResultsList(const CResultsListCtrl& list, wxWindow* owner, const ExportPrompts& prompts);

} // namespace wv
