// Where a reader's field texts are kept: while a FieldTextArena lives, the texts too
// long for a FieldText's own word that this thread assigns are set side by side in
// shared blocks of 64 KB instead of one heap block each. A file of 100,000 items
// holds a quarter of a million such texts, and the heap's bookkeeping for each,
// made and released one by one, costs a load more than reading its bytes.
//
// Nothing else changes for the fields: they are read, copied, moved and released as
// any other, from any thread; a shared block is released with the last of its texts.
// A copy made outside an arena takes a heap block of its own, so a text edited later
// never keeps a shared block alive by itself beyond the texts read with it.
#pragma once

namespace zarvex {

class FieldTextArena {
  public:
    FieldTextArena();
    ~FieldTextArena();
    FieldTextArena(const FieldTextArena&) = delete;
    FieldTextArena& operator=(const FieldTextArena&) = delete;
};

}  // namespace zarvex
