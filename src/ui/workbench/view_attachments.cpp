// The view's attachments: the banner and logo pictures and the banner thread.
#include <wx/panel.h>

#include "core/app/working_dir.h"
#include "core/dictionary/word_trie.h"
#include "core/res/resource.h"
#include "ui/banner/animated_picture.h"
#include "ui/banner/load_banner_thread.h"
#include "ui/services/app_services.h"
#include "ui/workbench/form_layout.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

CTarnwickView::CTarnwickView(WorkbenchContext context)
    : m_context(std::move(context)), m_listRun(m_context.searchHost) {}
CTarnwickView::~CTarnwickView() { StopThreads(); }

void CTarnwickView::CreatePictures() {
    using wv::form::kBanner;
    using wv::form::kLogo;
    m_picBanner = new CAnimatedPicture(m_pForm, wv::res::IDC_BANNER, wxPoint(kBanner.x, kBanner.y),
                                       wxSize(kBanner.width, kBanner.height));
    // However large a banner, the panel and the results stay in sight.
    using wv::form::kBannerArea;
    m_picBanner->SetShowArea(wxRect(kBannerArea.x, kBannerArea.y, kBannerArea.width, kBannerArea.height));
    m_picLogo =
        new CAnimatedPicture(m_pForm, wv::res::IDC_LOGO, wxPoint(kLogo.x, kLogo.y), wxSize(kLogo.width, kLogo.height));
}

void CTarnwickView::LoadLogo() {
    if (!m_picLogo) return;
    // No readable working directory: no logo (its size stays 0 by 0).
    std::string path;
    if (wv::WorkingDirectoryFile("misspelledKeywords.bmp", path)) m_picLogo->LoadFile(path);
    m_picLogo->Draw();
    const wxSize size = m_picLogo->GetPictureSize();
    m_picLogo->SetSize(22, 30, size.GetWidth(), size.GetHeight(), wxSIZE_ALLOW_MINUS_ONE);
    m_picLogo->Refresh();
}

void CTarnwickView::StartBannerThread() {
    if (m_pBannerThread || !m_picBanner) return;
    // The document outlives the thread: the view stops it before the
    // document lets the view go.
    CTarnwickDoc* doc = GetWorkbenchDoc();
    auto publishLink = [doc](const std::string& link) {
        if (doc) doc->SetBannerLink(link);
    };
    auto thread = std::make_unique<CLoadBannerThread>(publishLink, m_picBanner,
                                                      m_context.services->GetBannerSettings(m_context.homePage));
    // A thread that cannot start is no loss: the view works without banners.
    if (thread->Start()) m_pBannerThread = std::move(thread);
}

void CTarnwickView::StopBannerThread() {
    if (!m_pBannerThread) return;
    m_pBannerThread->Stop();
    m_pBannerThread.reset();
}

}  // namespace wv
