#pragma once
// The workbench's navigation panel: where its rows are on the form, which of
// the seven entries is selected, which row a press hits, the hand cursor
// shown over the banner and the painting of the rows.  What a press or a
// command does is decided by the rules in core/workbench/panel_model.h; the
// view applies them to its controls and tells the panel what to select.
//
// UI thread only.  Owned by the view; holds no window and paints into the DC
// it is given.
#include <array>

#include <wx/cursor.h>
#include <wx/gdicmn.h>

#include "core/workbench/panel_model.h"

class wxDC;

namespace wv {

class NavigationPanel {
public:
    // Lays the four rows out on the form, selects entry 1 and loads the
    // hand cursor.  Until then no entry is selected and no press hits a row.
    void Initialise();

    // Selects entry (1..7); any other number leaves none selected.
    void Select(int entry);
    // The selected entry (1..7), 0 when none is.
    int Selected() const { return panel::FirstSelected(m_bEntrySelected); }
    // True while entry 1 (the results) is selected: the workbench is in
    // results mode.
    bool ResultsSelected() const { return m_bEntrySelected[0] != 0; }

    // The entry (1..4) whose row holds point (form client pixels), 0 when
    // none does.  Rows are half-open: left <= x < right, top <= y < bottom.
    int EntryAt(const wxPoint& point) const;

    // The cursor shown over the banner; not OK before Initialise.
    const wxCursor& HandCursor() const { return m_hHandCursor; }

    // Draws the rows, their captions and frames into any DC (the form's
    // paint handler and tests).
    void Paint(wxDC& dc) const;

private:
    wxCursor m_hHandCursor;
    std::array<wxRect, panel::kEntries> m_rgnEntry{};  // entries 5-7 stay empty
    std::array<int, panel::kEntries> m_bEntrySelected{};
};

}  // namespace wv
