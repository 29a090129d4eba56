#include "dictionary/word_list_import.h"

#include <filesystem>
#include <system_error>

#include "dictionary/word_trie.h"

namespace wv {

bool ImportWordList(WordTrie& store, const std::function<bool()>& askAppend) {
    // The working directory is read whole.  When it cannot be read (say its
    // folder was removed) there is no list to load, and no point in asking.
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    if (error || directory.empty()) return false;

    const bool append = store.CountWords() > 0 && askAppend();
    return store.LoadWordList((directory / "dict.lst").string(), append);
}

} // namespace wv
