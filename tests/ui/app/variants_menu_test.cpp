// The Variants menu and File > Export List... in the real window: the menu's
// choices land in the application's settings and survive the settings file,
// and the export writes the list through the services' file chooser.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <wx/log.h>
#include <wx/menu.h>

#include "app_fixture.h"
#include "core/app/variant_settings.h"
#include "core/file/settings_file.h"
#include "core/res/resource.h"
#include "core/results/csv_export.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "stand_in_launchers.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"

using wv::TheApp;
using wv::VariantMode;
using wv::VariantSettings;
namespace res = wv::res;

using wvtest::PumpUntil;

namespace {

using wvtest::SendCommand;

// The menu's check marks and greying as the frame would show them on opening.
struct MenuState {
    bool letterOrder, likelyTypos, skip, skipEnabled;
};
MenuState ShownMenu(wv::CMainFrame* frame) {
    frame->DoMenuUpdates();
    wxMenuBar* bar = frame->GetMenuBar();
    return {bar->IsChecked(res::ID_VARIANTS_LETTER_ORDER), bar->IsChecked(res::ID_VARIANTS_LIKELY_TYPOS),
            bar->IsChecked(res::ID_VARIANTS_SKIP_REAL_WORDS), bar->IsEnabled(res::ID_VARIANTS_SKIP_REAL_WORDS)};
}

// The settings file the application wrote under the tests' XDG_CONFIG_HOME.
std::string SettingsFileText() {
    const char* base = std::getenv("XDG_CONFIG_HOME");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base))
        if (entry.path().extension() == ".conf") return wvtest::ReadFile(entry.path());
    return {};
}

class VariantsMenu : public ::testing::Test {
protected:
    void SetUp() override { TheApp().SetVariantSettings({}); }
    void TearDown() override { TheApp().SetVariantSettings({}); }
};

}  // namespace

TEST_F(VariantsMenu, CommandsSwitchTheModeAndTheSettingsFileKeepsIt) {
    TheApp().LoadStdProfileSettings(4);
    TheApp().SetVariantSettings({});
    {
        wvtest::WorkbenchWindow window;
        ASSERT_NE(window.view(), nullptr);
        MenuState menu = ShownMenu(window.frame());
        EXPECT_TRUE(menu.letterOrder);
        EXPECT_FALSE(menu.likelyTypos);
        EXPECT_TRUE(menu.skip);

        SendCommand(window.frame(), res::ID_VARIANTS_LIKELY_TYPOS);
        SendCommand(window.frame(), res::ID_VARIANTS_SKIP_REAL_WORDS);
        EXPECT_EQ(TheApp().GetVariantSettings(), (VariantSettings{VariantMode::LikelyTypos, false}));
        menu = ShownMenu(window.frame());
        EXPECT_FALSE(menu.letterOrder);
        EXPECT_TRUE(menu.likelyTypos);
        EXPECT_FALSE(menu.skip);

        // Picking the chosen mode again changes nothing; Skip toggles back.
        SendCommand(window.frame(), res::ID_VARIANTS_LIKELY_TYPOS);
        SendCommand(window.frame(), res::ID_VARIANTS_SKIP_REAL_WORDS);
        SendCommand(window.frame(), res::ID_VARIANTS_SKIP_REAL_WORDS);
        EXPECT_EQ(TheApp().GetVariantSettings(), (VariantSettings{VariantMode::LikelyTypos, false}));
    }

    TheApp().SaveStdProfileSettings();
    const std::string text = SettingsFileText();
    EXPECT_NE(text.find("[Variants]"), std::string::npos) << text;
    EXPECT_NE(text.find("Mode=LikelyTypos"), std::string::npos) << text;
    EXPECT_NE(text.find("SkipRealWords=0"), std::string::npos) << text;

    TheApp().SetVariantSettings({});
    TheApp().LoadStdProfileSettings(4);
    EXPECT_EQ(TheApp().GetVariantSettings(), (VariantSettings{VariantMode::LikelyTypos, false}));

    // Back to Letter Order the same way, so no later test starts from this.
    TheApp().SetVariantSettings({});
    TheApp().SaveStdProfileSettings();
    TheApp().LoadStdProfileSettings(4);
    EXPECT_EQ(TheApp().GetVariantSettings(), VariantSettings{});
}

// A settings file too large to read, or one that cannot be written, costs
// neither the file nor a box (which at exit would be up with no window left).
TEST_F(VariantsMenu, AHugeOrUnwritableSettingsFileIsLeftAloneWithoutABox) {
    struct CountingLog : wxLog {
        int messages = 0;
        void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++messages; }
    } log;
    wxLog* const before = wxLog::SetActiveTarget(&log);
    TheApp().SetVendorName("Local AppWizard-Generated Applications");
    TheApp().SetAppName("Wordvane");
    {
        wvtest::ScopedTempDir home;
        wvtest::ScopedEnv xdg("XDG_CONFIG_HOME", home.path().string());
        const auto folder = home / "Local AppWizard-Generated Applications";
        std::filesystem::create_directory(folder);
        const std::string huge = "[Variants]\nMode=LikelyTypos\n#" + std::string(wv::kMaxSettingsFileBytes, '.');
        wvtest::WriteFile(folder / "Wordvane.conf", huge);
        TheApp().LoadStdProfileSettings(4);
        EXPECT_EQ(TheApp().GetVariantSettings(), VariantSettings{});
        TheApp().SaveStdProfileSettings();
        EXPECT_TRUE(wvtest::ReadFile(folder / "Wordvane.conf") == huge);

        std::filesystem::remove_all(folder);
        wvtest::WriteFile(folder, "a file where the folder goes");
        TheApp().LoadStdProfileSettings(4);
        TheApp().SaveStdProfileSettings();
    }
    wxLog::SetActiveTarget(before);
    EXPECT_EQ(log.messages, 0);
    TheApp().LoadStdProfileSettings(4);
}

TEST_F(VariantsMenu, SkipRealWordsIsGreyedWithoutADictionaryOrInLetterOrder) {
    TheApp().SetVariantSettings({VariantMode::LikelyTypos, true});
    wvtest::ScopedTempDir dir;
    wvtest::ScopedWorkingDir here(dir.path());
    {
        wvtest::WorkbenchWindow window;  // no dict.lst here
        ASSERT_NE(window.view(), nullptr);
        EXPECT_FALSE(window.view()->DictionaryHasWords());
        EXPECT_FALSE(ShownMenu(window.frame()).skipEnabled);
        EXPECT_TRUE(ShownMenu(window.frame()).skip);  // the choice is kept for later
    }
    wvtest::WriteFile(dir / "dict.lst", "");
    {
        wvtest::WorkbenchWindow window;
        EXPECT_FALSE(ShownMenu(window.frame()).skipEnabled);
    }
    wvtest::WriteFile(dir / "dict.lst", "camera\nlens\n");
    {
        wvtest::WorkbenchWindow window;
        EXPECT_TRUE(window.view()->DictionaryHasWords());
        EXPECT_TRUE(ShownMenu(window.frame()).skipEnabled);
        SendCommand(window.frame(), res::ID_VARIANTS_LETTER_ORDER);
        EXPECT_FALSE(ShownMenu(window.frame()).skipEnabled);
    }
}

TEST(ExportList, WritesTheListToTheChosenFileOrExplainsAnEmptyList) {
    wvtest::WorkbenchWindow window;
    ASSERT_NE(window.view(), nullptr);
    wvtest::ScopedTempDir dir;
    const auto file = dir / "list.csv";
    int asked = 0;
    wvtest::TestServices().SetExportFileChooser([&] {
        ++asked;
        return wxString(file.string());
    });

    {
        wvtest::RecordedBoxes boxes;
        SendCommand(window.frame(), res::ID_FILE_EXPORT_LIST);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "Please search for something first so there is a list to export.");
        EXPECT_EQ(asked, 0);
        EXPECT_FALSE(std::filesystem::exists(file));
    }

    window.TypeKeyword("ab");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return !window.view()->IsGeneratorBusy(); }));
    SendCommand(window.frame(), res::ID_FILE_EXPORT_LIST);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(wvtest::TestServices().ExportNameOffered(), "ab typos.csv");
    // The keyword first; a Letter Order list's hint column stays out.
    EXPECT_EQ(wvtest::ReadFile(file), std::string(wv::kUtf8ByteOrderMark) +
                                          "Keyword,No. Of Misspelt Items,Misspelt Keywords\r\n"
                                          "ab,1,ba\r\n");
    SendCommand(window.frame(), res::ID_FILE_EXPORT_LIST);
    wvtest::TestServices().SetExportFileChooser({});
    EXPECT_EQ(wvtest::TestServices().ExportFolderOffered(), wxString(dir.path().string()));
}
