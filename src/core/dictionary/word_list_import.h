#pragma once
// Filling the dictionary from the word list "dict.lst" of the working
// directory, appending to or replacing the words already there.
//
// Threads: the caller's thread (the view's import runs on the UI thread).
#include <functional>

namespace wv {

class WordTrie;

// Loads "<working directory>/dict.lst" into store.  askAppend is called only
// when store already holds words: true appends the list, false replaces the
// store's words.  When the working directory cannot be read nothing is asked
// or loaded and store is left as it is.  Returns whether the file was read to
// its end; nothing is reported for a missing or unreadable file.
bool ImportWordList(WordTrie& store, const std::function<bool()>& askAppend);

}  // namespace wv
