#include "core/dictionary/word_list_import.h"

#include "core/app/working_dir.h"
#include "core/dictionary/word_trie.h"

namespace wv {

bool ImportWordList(WordTrie& store, const std::function<bool()>& askAppend) {
    // The working directory is read whole.  When it cannot be read (say its
    // folder was removed) there is no list to load, and no point in asking.
    std::string path;
    if (!WorkingDirectoryFile("dict.lst", path)) return false;

    const bool append = store.CountWords() > 0 && askAppend();
    return store.LoadWordList(path, append);
}

}  // namespace wv
