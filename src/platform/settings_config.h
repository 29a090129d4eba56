#pragma once
// The settings file as a wxFileConfig that reads and writes the file itself,
// so that neither a hostile file nor a failed write can hold the program up:
// wx's own file handling reads a file of any size whole and reports a failed
// write in a modal box, which at exit shows after the window has gone.
//
// Reading follows core/file/settings_file.h: a file that is not read is
// reported on stderr, the settings start from the defaults and Flush never
// replaces that file.  Writing replaces the file whole
// (platform/atomic_file.h) and reports a failure on stderr only.
//
// Threads: the UI thread, like any wxConfig.
#include <memory>
#include <string>

#include <wx/fileconf.h>

namespace wv {

class SettingsConfig : public wxFileConfig {
public:
    // path in the file system's encoding.
    static std::unique_ptr<SettingsConfig> Open(const std::string& path);

    // Writes every setting to the file, making its folder first when there
    // is none.  True when written, or when the file is one that is left alone.
    bool Flush(bool currentOnly = false) override;

private:
    SettingsConfig(wxInputStream& in, std::string path, bool leftAlone);

    std::string m_path;
    bool m_leftAlone;
};

}  // namespace wv
