#include "core/workbench/panel_model.h"

#include <string>

#include <gtest/gtest.h>

#include "core/res/resource.h"

using namespace wv::panel;

namespace {

std::string Joined(const std::array<const char*, kRows>& captions) {
    std::string all;
    for (const char* c : captions) all += std::string(c ? c : "<none>") + "|";
    return all;
}

TEST(PanelModel, FirstSelectedIsTheLowestSetFlag) {
    EXPECT_EQ(FirstSelected({0, 0, 0, 0, 0, 0, 0}), 0);
    EXPECT_EQ(FirstSelected({1, 0, 0, 0, 0, 0, 0}), 1);
    EXPECT_EQ(FirstSelected({0, 0, 0, 0, 0, 0, 1}), 7);
    EXPECT_EQ(FirstSelected({0, 0, 5, 0, 1, 0, 0}), 3);
}

TEST(PanelModel, CaptionSetsFollowTheSelection) {
    const std::string first = "Misspelt Results|Misspelt Search|Our Ebay Store|Webmaster Resources|";
    const std::string second = "Fee Calculator|Our Ebay Store|Webmaster Resources|<none>|";
    for (int entry = 1; entry <= 4; ++entry) EXPECT_EQ(Joined(CaptionsFor(entry)), first) << entry;
    for (int entry = 5; entry <= 7; ++entry) EXPECT_EQ(Joined(CaptionsFor(entry)), second) << entry;
    EXPECT_EQ(Joined(CaptionsFor(0)), "<none>|<none>|<none>|<none>|");
}

TEST(PanelModel, PageAddressesAppendTheNamesUnchanged) {
    const std::string home = "http://vendor.test:8080/";
    EXPECT_EQ(HomePageAddress(home, Page::Update), home + "\\tarnwick\\update123.html");
    EXPECT_EQ(HomePageAddress(home, Page::Terms), home + "\\tarnwick\\terms123.html");
    EXPECT_EQ(HomePageAddress(home, Page::Help), home + "\\tarnwick\\help123.html");
    EXPECT_EQ(HomePageAddress(home, Page::Store), "");
    EXPECT_EQ(HomePageAddress(home, Page::None), "");
}

TEST(PanelModel, RowOneFollowsTheGenerator) {
    PressOutcome idle = PressOnRow(1, false);
    EXPECT_TRUE(idle.resultsMode);
    EXPECT_STREQ(idle.goCaption, "Go");
    EXPECT_TRUE(idle.smartFindShown);
    EXPECT_STREQ(idle.groupCaption, "Please enter keyword to search");
    EXPECT_EQ(idle.page, Page::None);

    PressOutcome running = PressOnRow(1, true);
    EXPECT_TRUE(running.resultsMode);
    EXPECT_STREQ(running.goCaption, "Stop");
    EXPECT_FALSE(running.smartFindShown);
}

TEST(PanelModel, BrowserRowsAlwaysOfferGoAndSmartFind) {
    const Page pages[] = {Page::None, Page::Store, Page::SecondSite};
    for (bool running : {false, true}) {
        for (int entry = 2; entry <= 4; ++entry) {
            PressOutcome out = PressOnRow(entry, running);
            EXPECT_EQ(out.entry, entry);
            EXPECT_FALSE(out.resultsMode);
            EXPECT_STREQ(out.goCaption, "Go");
            EXPECT_TRUE(out.smartFindShown);
            EXPECT_STREQ(out.groupCaption, "Navigate To Address");
            EXPECT_EQ(out.page, pages[entry - 2]);
        }
    }
}

TEST(PanelModel, CommandTable) {
    struct Row {
        int id, entry;
        Page page;
        BrowserCall call;
    };
    const Row table[] = {
        {32778, 1, Page::None, BrowserCall::None},
        {32779, 3, Page::SecondSite, BrowserCall::None},  // store row, second site
        {32780, 2, Page::None, BrowserCall::None},
        {32781, 4, Page::SecondSite, BrowserCall::None},
        {32782, 7, Page::Help, BrowserCall::None},
        {32783, 6, Page::Terms, BrowserCall::None},
        {32784, 5, Page::Update, BrowserCall::None},
        {32785, 0, Page::None, BrowserCall::Back},
        {32786, 0, Page::None, BrowserCall::Forward},
        {32787, 0, Page::None, BrowserCall::Stop},
        {32788, 0, Page::None, BrowserCall::Refresh},
        {32789, 1, Page::None, BrowserCall::None},
        {32790, 0, Page::None, BrowserCall::None},
        {wv::res::ID_HELP, 7, Page::Help, BrowserCall::None},
    };
    for (const Row& row : table) {
        CommandOutcome out;
        ASSERT_TRUE(PanelCommand(row.id, out)) << row.id;
        EXPECT_EQ(out.entry, row.entry) << row.id;
        EXPECT_EQ(out.page, row.page) << row.id;
        EXPECT_EQ(out.call, row.call) << row.id;
    }
    CommandOutcome out;
    EXPECT_FALSE(PanelCommand(32777, out));
    EXPECT_FALSE(PanelCommand(32791, out));
    EXPECT_FALSE(PanelCommand(wv::res::ID_FILE_PRINT, out));
}

}  // namespace
