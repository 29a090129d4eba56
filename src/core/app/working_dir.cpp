#include "core/app/working_dir.h"

#include <filesystem>
#include <system_error>

namespace wv {

bool WorkingDirectoryFile(const std::string& fileName, std::string& path) {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    if (error || directory.empty()) return false;
    path = directory.string() + "/" + fileName;
    return true;
}

}  // namespace wv
