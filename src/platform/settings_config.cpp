#include "platform/settings_config.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include <wx/mstream.h>

#include "core/file/settings_file.h"
#include "platform/atomic_file.h"

namespace wv {

std::unique_ptr<SettingsConfig> SettingsConfig::Open(const std::string& path) {
    const SettingsFileRead read = ReadSettingsFile(path);
    const bool leftAlone = read.outcome == SettingsFileRead::Outcome::Ignored;
    if (leftAlone)
        std::fprintf(stderr,
                     "wordvane: the settings file %s is not read (%s): the defaults are used, and the file is left "
                     "as it is.\n",
                     path.c_str(), read.reason.c_str());
    wxMemoryInputStream in(read.bytes.empty() ? "" : static_cast<const void*>(read.bytes.data()), read.bytes.size());
    return std::unique_ptr<SettingsConfig>(new SettingsConfig(in, path, leftAlone));
}

// A configuration read from a stream has no file of its own, so wx never
// writes one: only Flush here does.
SettingsConfig::SettingsConfig(wxInputStream& in, std::string path, bool leftAlone)
    : wxFileConfig(in), m_path(std::move(path)), m_leftAlone(leftAlone) {}

bool SettingsConfig::Flush(bool) {
    if (m_leftAlone) return true;
    wxMemoryOutputStream out;
    if (!Save(out, wxConvUTF8)) return false;
    const wxStreamBuffer& buffer = *out.GetOutputStreamBuffer();
    const std::string_view text(static_cast<const char*>(buffer.GetBufferStart()), out.GetLength());
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
    std::string error;
    if (WriteFileAtomically(m_path, text, &error)) return true;
    std::fprintf(stderr, "wordvane: the settings could not be saved to %s: %s.\n", m_path.c_str(), error.c_str());
    return false;
}

}  // namespace wv
