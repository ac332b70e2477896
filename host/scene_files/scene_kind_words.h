// The words a scene file names shape types and part kinds with, one table each, read by
// the loader and written by the writer. The order is the one the loader's messages list.
#pragma once

#include "shape_kind_ids.h"

namespace host {

struct kind_word {
    char const* word;
    int id;
};

extern kind_word const shape_type_words[8];
extern kind_word const part_kind_words[16];

// The word of an object kind; "other" for a kind the file format has no word for.
char const* shape_type_word(int kind);
// The word of a part kind; "simple" for a kind the file format has no word for.
char const* part_kind_word(int part);

}  // namespace host
