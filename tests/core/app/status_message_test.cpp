#include "core/app/status_message.h"

#include <cstring>

#include <gtest/gtest.h>

TEST(StatusMessage, NoticeIsOneLineAndNoFormat) {
    const std::string notice = wv::kVendorNotice;
    EXPECT_FALSE(notice.empty());
    EXPECT_EQ(notice.find('%'), std::string::npos);
    EXPECT_EQ(notice.find('\n'), std::string::npos);
}

TEST(StatusMessage, PromptsFromTheStringTable) {
    for (int id : {32777, 32785, 32790, 32701, 32704, 57345, 57600, 57607, 57609, 57664, 57665, 57670, 59392, 59393})
        EXPECT_EQ(wv::StatusPrompt(id), wv::kVendorNotice) << id;
    EXPECT_EQ(wv::StatusPrompt(61187), "Enlarge the window to full size");
    EXPECT_EQ(wv::StatusPrompt(61445), "Close print preview mode");  // cut at the line break
    EXPECT_EQ(wv::StatusPrompt(12345), "");
    EXPECT_EQ(wv::StatusPrompt(32791), "");
    EXPECT_EQ(wv::StatusPrompt(32705), "");
}

TEST(StatusMessage, ExplicitTextIsStoredAndTheNoticeShown) {
    std::string stored;
    const std::string text = "working";
    EXPECT_EQ(wv::MessagePaneText(0, &text, false, stored), wv::kVendorNotice);
    EXPECT_EQ(stored, "working");
    // The idle message brings the stored text back; menu items show their
    // prompt without touching it.
    EXPECT_EQ(wv::MessagePaneText(57607, nullptr, false, stored), wv::kVendorNotice);
    EXPECT_EQ(wv::MessagePaneText(wv::kIdIdleMessage, nullptr, false, stored), "working");
    EXPECT_EQ(wv::MessagePaneText(0, nullptr, false, stored), "");
    EXPECT_EQ(stored, "working");
}

TEST(StatusMessage, IdleMessageIsEmptyUntilATextWasGiven) {
    std::string stored;
    EXPECT_EQ(wv::MessagePaneText(wv::kIdIdleMessage, nullptr, false, stored), "");
}

TEST(StatusMessage, WindowCloseDuringPrintPreview) {
    std::string stored;
    EXPECT_EQ(wv::MessagePaneText(wv::kIdWindowClose, nullptr, true, stored), "Close print preview mode");
    EXPECT_EQ(wv::MessagePaneText(wv::kIdWindowClose, nullptr, false, stored),
              "Close the active window and prompts to save the documents");
}
