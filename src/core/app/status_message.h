#pragma once
// The main frame's status texts: the vendor notice, the string table's
// command prompts and the choice of what the message pane shows.  Pure.
#include <string>

namespace wv {

// The vendor's one-line notice: shown in the status bar and the prompt of
// every command.  It holds no '%', since it is also used as a format text.
extern const char kVendorNotice[];

// Status-bar message identifiers that the pane logic knows, by the numbers
// the program's string table keys its prompts with.
constexpr int kIdIdleMessage = 57345;   // "return to the idle text"
constexpr int kIdWindowClose = 61190;   // the window menu's Close
constexpr int kIdPreviewClose = 61445;  // Close while print preview is active

// The status prompt of a command or message identifier: its string-table
// entry up to the first line break; empty when the table has none.
std::string StatusPrompt(int id);

// What the message pane shows when the frame is asked to show a message
// (identifier, and an explicit text or none).  An explicit text is stored in
// statusText and the pane shows the vendor notice instead; the idle message
// brings back the stored text; any other nonzero identifier shows its prompt
// (the window menu's Close becomes the preview's Close while print preview
// is active); identifier 0 with no text empties the pane.
std::string MessagePaneText(int id, const std::string* text, bool printPreview, std::string& statusText);

}  // namespace wv
