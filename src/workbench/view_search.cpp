// The auction-site search: double-click search and Smart Find.
#include "workbench/tarnwick_view.h"

void CTarnwickView::OnResultsDblClk(wxCommandEvent&) {}
void CTarnwickView::OnSmartFind(wxCommandEvent&) {}
