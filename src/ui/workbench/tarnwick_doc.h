#pragma once
// The workbench document.  It stores nothing on disk; it carries the link
// between the banner thread and the view: the banner control and the link of
// the banner on screen.
#include <mutex>
#include <string>

#include <wx/docview.h>

namespace wv {

class CAnimatedPicture;

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
    // Save and Save As do nothing: wx would otherwise ask for a file name for
    // a fresh document and add a file that was never written to the
    // recent-files list.
    bool Save() override { return true; }
    bool SaveAs() override { return true; }

    // The active document of the application's main window.  UI thread only.
    static CTarnwickDoc* GetDoc();

    // The view's banner picture; set by the view's initial update before the
    // banner thread starts, cleared before the control is destroyed.  The
    // banner thread receives it when it is created (it never asks GetDoc).
    CAnimatedPicture* m_pBannerControl = nullptr;

    // Written by the banner thread, read by the UI thread: any thread, under
    // the lock; readers get a copy.
    std::string GetBannerLink() const;
    void SetBannerLink(std::string link);

private:
    mutable std::mutex m_linkMutex;
    std::string m_strBannerLink;

    wxDECLARE_DYNAMIC_CLASS(CTarnwickDoc);
};

} // namespace wv
