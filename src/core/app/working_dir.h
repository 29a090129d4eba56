#pragma once
// Files the program keeps in its working directory (the word list, the logo,
// the downloaded banner).
#include <string>

namespace wv {

// "<working directory>/<fileName>", the directory read whole.  False when the
// working directory cannot be read (its folder was removed, say).
bool WorkingDirectoryFile(const std::string& fileName, std::string& path);

}  // namespace wv
