#pragma once
// What the workbench view is handed when it is made, instead of asking the
// application for it: the vendor's addresses, the Variants menu's choices
// and the program's services.  The application (the composition root) fills
// it in; it outlives the view.
#include <string>

namespace wv {

class AppServices;
struct VariantSettings;

struct WorkbenchContext {
    std::string homePage;    // absolute, ending in "/"
    std::string searchHost;  // the auction site's, "host" or "host:port"
    std::string storePage;   // "Our Ebay Store"
    std::string secondSite;  // "Webmaster Resources"
    // The application's choices: the Variants menu changes them, the next
    // run reads them, the application keeps them in the settings file.
    VariantSettings* variantSettings = nullptr;
    // The folder File > Export List... wrote to last (UTF-8; empty: none
    // yet), the application's, kept in the settings file too.
    std::string* exportFolder = nullptr;
    AppServices* services = nullptr;
};

}  // namespace wv
