#pragma once
// File > Export List...: the results list written as CSV (see
// core/results/csv_export.h) to a file the user chooses through the
// services (app_services.h), replaced whole or not at all
// (platform/atomic_file.h).  UI thread only.
class wxWindow;

namespace wv {

class CResultsListCtrl;

enum class ExportOutcome { Written, NothingToExport, Cancelled, Failed };

// Every row with the column titles first, in the list's order; the user is
// told (the program's message box, owned by owner) when the list is empty,
// the file cannot be written or there is no memory for the file's text.
ExportOutcome ExportResultsList(const CResultsListCtrl& list, wxWindow* owner);

} // namespace wv
