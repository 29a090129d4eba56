#include "core/app/status_message.h"

#include "core/res/resource.h"

namespace wv {

const char kVendorNotice[] = "Wordvane from Tarnwick Software - bargains hide behind misspelt titles";

namespace {

struct Prompt {
    int id;
    const char* text;
};

// The window menu's prompts; the text after '\n' is a tooltip, never shown
// in the pane.
constexpr Prompt kWindowMenuPrompts[] = {
    {61184, "Change the window size"},
    {61185, "Change the window position"},
    {61186, "Reduce the window to an icon"},
    {61187, "Enlarge the window to full size"},
    {61188, "Switch to the next document window"},
    {61189, "Switch to the previous document window"},
    {61190, "Close the active window and prompts to save the documents"},
    {61202, "Restore the window to normal size"},
    {61203, "Activate Task List"},
    {61445, "Close print preview mode\nCancel Preview"},
};

bool HasNoticePrompt(int id) {
    return (id >= 32777 && id <= 32790) || (id >= res::ID_FILE_EXPORT_LIST && id <= res::ID_VARIANTS_SKIP_REAL_WORDS) ||
           id == kIdIdleMessage || (id >= 57600 && id <= 57681) || id == 59392 || id == 59393;
}

}  // namespace

std::string StatusPrompt(int id) {
    std::string text;
    if (HasNoticePrompt(id)) {
        text = kVendorNotice;
    } else {
        for (const Prompt& prompt : kWindowMenuPrompts)
            if (prompt.id == id) text = prompt.text;
    }
    return text.substr(0, text.find('\n'));
}

std::string MessagePaneText(int id, const std::string* text, bool printPreview, std::string& statusText) {
    if (text) {
        statusText = *text;
        return kVendorNotice;
    }
    if (id == kIdIdleMessage) return statusText;
    if (id == kIdWindowClose && printPreview) id = kIdPreviewClose;
    if (id != 0) return StatusPrompt(id);
    return {};
}

}  // namespace wv
