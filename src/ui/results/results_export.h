#pragma once
// File > Export List...: the results list written as CSV (see
// core/results/csv_export.h) to a file the user chooses through the
// services (app_services.h), replaced whole or not at all
// (platform/atomic_file.h).  UI thread only.
#include <cstddef>
#include <string>

class wxWindow;

namespace wv {

class CResultsListCtrl;

enum class ExportOutcome { Written, NothingToExport, Cancelled, Failed };

// What the list is an export of: its keyword (Windows-1252; the file is
// offered as "<keyword> typos.csv"), how many of its columns to write after
// the keyword, and the folder to offer (UTF-8; empty: the working folder),
// which a written export sets to its own folder.
struct ExportRequest {
    std::string keyword;
    std::size_t columns = 3;
    std::string* folder = nullptr;
};

// The keyword and every row's first columns, the titles first, in the
// list's order; the user is told (the program's message box, owned by owner)
// when the list is empty, the file cannot be written or there is no memory
// for the file's text.
ExportOutcome ExportResultsList(const CResultsListCtrl& list, wxWindow* owner, const ExportRequest& request);

}  // namespace wv
