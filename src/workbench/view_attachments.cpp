// The view's attachments: the banner and logo pictures and the banner thread.
#include "workbench/tarnwick_view.h"

#include "banner/load_banner_thread.h"
#include "dictionary/word_trie.h"

CTarnwickView::CTarnwickView() = default;
CTarnwickView::~CTarnwickView() { StopThreads(); }

void CTarnwickView::CreatePictures() {}
void CTarnwickView::LoadLogo() {}
void CTarnwickView::StartBannerThread() {}
void CTarnwickView::StopBannerThread() {}
