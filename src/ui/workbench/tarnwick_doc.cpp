#include "ui/workbench/tarnwick_doc.h"

#include <wx/docview.h>

namespace wv {

wxIMPLEMENT_DYNAMIC_CLASS(CTarnwickDoc, wxDocument);

bool CTarnwickDoc::OnNewDocument() { return wxDocument::OnNewDocument(); }

bool CTarnwickDoc::OnSaveDocument(const wxString&) { return true; }
bool CTarnwickDoc::DoSaveDocument(const wxString&) { return true; }
bool CTarnwickDoc::DoOpenDocument(const wxString&) { return true; }

std::string CTarnwickDoc::GetBannerLink() const {
    std::lock_guard lock(m_linkMutex);
    return m_strBannerLink;
}

void CTarnwickDoc::SetBannerLink(std::string link) {
    std::lock_guard lock(m_linkMutex);
    m_strBannerLink = std::move(link);
}

}  // namespace wv
