#pragma once
// The workbench document.  It stores nothing on disk; it carries the link of
// the banner on screen from the banner thread to the view.
#include <mutex>
#include <string>

#include <wx/docview.h>

namespace wv {

class CTarnwickDoc : public wxDocument {
public:
    CTarnwickDoc() = default;

    bool OnNewDocument() override;
    // Nothing is ever written: the document holds no data, and writing an
    // opened file would truncate it.
    bool OnSaveDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString& file) override;
    bool DoOpenDocument(const wxString& file) override;
    bool IsModified() const override { return false; }
    // Save As does nothing, and so Save, which asks Save As for a fresh
    // document: wx would otherwise ask for a file name and add a file that
    // was never written to the recent-files list.
    bool SaveAs() override { return true; }

    // Written by the banner thread, read by the UI thread: any thread, under
    // the lock; readers get a copy.
    std::string GetBannerLink() const;
    void SetBannerLink(std::string link);

private:
    mutable std::mutex m_linkMutex;
    std::string m_strBannerLink;

    wxDECLARE_DYNAMIC_CLASS(CTarnwickDoc);
};

}  // namespace wv
