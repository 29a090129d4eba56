// The navigation panel's painting, checked on the pixels: rendered into a
// bitmap through the view's own painting, and grabbed from the real window.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/panel.h>

#include "core/res/resource.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "ui/app/main_frame.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CTarnwickView;

namespace {

// Colours as "#rrggbb", so a failure says which colour it found.
const std::string kAmber = "#FFCC00";
const std::string kWhite = "#FFFFFF";
const std::string kBlack = "#000000";
const std::string kGround = "#5A7896";  // neither fill, frame nor ink
constexpr int kTops[4] = {71, 93, 115, 137};

std::string At(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y))
        .GetAsString(wxC2S_HTML_SYNTAX)
        .ToStdString();
}

wxImage Render(const CTarnwickView& view) {
    wxBitmap bitmap(220, 180, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(kGround)));
        dc.Clear();
        view.Panel().Paint(dc);
    }
    return bitmap.ConvertToImage();
}

// The interior of a row (inside its frame) as a small image.
wxImage Interior(const wxImage& image, int row) { return image.GetSubImage(wxRect(11, kTops[row] + 1, 178, 16)); }

bool SamePixels(const wxImage& a, const wxImage& b) {
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

// Pixels clearly darker than either fill: caption ink.
int InkPixels(const wxImage& interior, int* top = nullptr, int* bottom = nullptr) {
    int count = 0, first = -1, last = -1;
    for (int y = 0; y < interior.GetHeight(); ++y)
        for (int x = 0; x < interior.GetWidth(); ++x)
            if (interior.GetRed(x, y) < 128 && interior.GetGreen(x, y) < 128) {
                ++count;
                if (first < 0) first = y;
                last = y;
            }
    if (top) *top = first;
    if (bottom) *bottom = last;
    return count;
}

// The fill behind the caption: the pixel at the right end of the row,
// which no caption reaches.
std::string Fill(const wxImage& image, int row) { return At(image, 186, kTops[row] + 9); }

void ExpectFrames(const wxImage& image) {
    for (int top : kTops) {
        for (int x = 10; x < 190; x += 7) {
            EXPECT_EQ(At(image, x, top), kBlack) << x << "," << top;
            EXPECT_EQ(At(image, x, top + 17), kBlack) << x << "," << top + 17;
            EXPECT_EQ(At(image, x, top - 1), kGround) << x << "," << top - 1;
            EXPECT_EQ(At(image, x, top + 18), kGround) << x << "," << top + 18;
        }
        for (int y = top; y < top + 18; ++y) {
            EXPECT_EQ(At(image, 10, y), kBlack) << y;
            EXPECT_EQ(At(image, 189, y), kBlack) << y;
            EXPECT_EQ(At(image, 9, y), kGround) << y;
            EXPECT_EQ(At(image, 190, y), kGround) << y;
        }
    }
}

class PanelPaint : public ::testing::Test {
protected:
    wvtest::WorkbenchWindow window;
    CTarnwickView& view() { return *window.view(); }
};

TEST_F(PanelPaint, StartStateHasRowOneAmberAndFourCaptions) {
    wxImage image = Render(view());
    ExpectFrames(image);
    EXPECT_EQ(Fill(image, 0), kAmber);
    for (int row = 1; row < 4; ++row) EXPECT_EQ(Fill(image, row), kWhite) << row;
    for (int row = 0; row < 4; ++row) {
        int top = -1, bottom = -1;
        EXPECT_GT(InkPixels(Interior(image, row), &top, &bottom), 40) << row;
        // A bold caption of a 17-pixel cell: tall, and inside its row.
        EXPECT_GE(bottom - top, 8) << row;
    }
    // The caption is black ink on amber, not a colour of its own.
    int black = 0;
    wxImage amber = Interior(image, 0);
    for (int y = 0; y < amber.GetHeight(); ++y)
        for (int x = 0; x < amber.GetWidth(); ++x) {
            wxColour c(amber.GetRed(x, y), amber.GetGreen(x, y), amber.GetBlue(x, y));
            if (At(amber, x, y) == kBlack) ++black;
            // Every pixel lies between the fill and black (anti-aliasing).
            EXPECT_LE(c.Blue(), 10) << x << "," << y;
            EXPECT_NEAR(c.Red() * 204.0 / 255.0, c.Green(), 12) << x << "," << y;
        }
    EXPECT_GT(black, 10);
}

TEST_F(PanelPaint, PageEntryFillsNoRowAndShiftsTheCaptions) {
    wxImage first = Render(view());
    wvtest::SendCommand(window.frame(), wv::res::ID_HELP);
    ASSERT_EQ(view().SelectedPanelEntry(), 7);
    wxImage help = Render(view());
    ExpectFrames(help);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(Fill(help, row), kWhite) << row;
    // No amber anywhere.
    for (int y = 0; y < help.GetHeight(); ++y)
        for (int x = 0; x < help.GetWidth(); ++x) ASSERT_NE(At(help, x, y), kAmber) << x << "," << y;
    // "Our Ebay Store" and "Webmaster Resources" move up a row, the top row
    // names another page and the bottom row is empty.
    EXPECT_TRUE(SamePixels(Interior(help, 1), Interior(first, 2)));
    EXPECT_TRUE(SamePixels(Interior(help, 2), Interior(first, 3)));
    EXPECT_GT(InkPixels(Interior(help, 0)), 40);
    EXPECT_FALSE(SamePixels(Interior(help, 0), Interior(first, 1)));
    EXPECT_EQ(InkPixels(Interior(help, 3)), 0);
    for (int y = 1; y < 17; ++y)
        for (int x = 11; x < 189; ++x) ASSERT_EQ(At(help, x, kTops[3] + y), kWhite);

    // A row press after that brings the first set back: row 1, then
    // "Fee Calculator", selects the results.
    wxMouseEvent press(wxEVT_LEFT_DOWN);
    press.SetPosition(wxPoint(50, 80));
    press.SetEventObject(view().GetForm());
    view().GetForm()->GetEventHandler()->ProcessEvent(press);
    EXPECT_EQ(view().SelectedPanelEntry(), 1);
    EXPECT_TRUE(
        SamePixels(Render(view()).GetSubImage(wxRect(0, 60, 220, 110)), first.GetSubImage(wxRect(0, 60, 220, 110))));
}

TEST_F(PanelPaint, SearchRowSelectedIsAmberOnlyThere) {
    wvtest::SendCommand(window.frame(), wv::res::ID_SHOW_SEARCH);
    wxImage image = Render(view());
    EXPECT_EQ(Fill(image, 0), kWhite);
    EXPECT_EQ(Fill(image, 1), kAmber);
    EXPECT_EQ(Fill(image, 2), kWhite);
    EXPECT_EQ(Fill(image, 3), kWhite);
}

// What the user sees: the form grabbed from the screen, saved for a look.
TEST_F(PanelPaint, TheWindowShowsThePanel) {
    wxPanel* form = view().GetForm();
    form->Refresh(true);
    form->Update();
    wvtest::PumpFor(std::chrono::milliseconds(200));
    const wxRect screen = form->GetScreenRect();
    wxBitmap shot(screen.GetWidth(), screen.GetHeight(), 24);
    {
        wxScreenDC screenDC;
        wxMemoryDC dc(shot);
        dc.Blit(0, 0, screen.GetWidth(), screen.GetHeight(), &screenDC, screen.GetX(), screen.GetY());
    }
    wxImage image = shot.ConvertToImage();
    image.SaveFile(WORDVANE_BINARY_DIR "/panel_form.png", wxBITMAP_TYPE_PNG);
    EXPECT_EQ(Fill(image, 0), kAmber);
    for (int row = 1; row < 4; ++row) EXPECT_EQ(Fill(image, row), kWhite) << row;
    for (int top : kTops) {
        EXPECT_EQ(At(image, 10, top + 9), kBlack);
        EXPECT_EQ(At(image, 189, top + 9), kBlack);
        EXPECT_EQ(At(image, 100, top), kBlack);
        EXPECT_EQ(At(image, 100, top + 17), kBlack);
    }
}

}  // namespace
