#include "model/field_text.h"

#include <atomic>
#include <new>
#include <ostream>
#include <stdexcept>

#include "model/field_text_arena.h"

namespace zarvex {

namespace {

// A shared block (see FieldTextArena) starts with its count of holders and is
// aligned to its size, so that a text finds its block from its own address. Texts
// in it start at 2 mod 8, which tells them from the heap's (aligned, so 0 mod 8)
// and from the inline form (odd) by the word alone; the size comes first in both
// kinds, so that reading a text does not ask which kind it is.
constexpr std::size_t kSharedBytes = std::size_t{1} << 16;
constexpr std::uintptr_t kSharedMark = 2;
constexpr std::size_t kLongestSharedText = kSharedBytes / 16;

struct SharedHead {
    // Starts above any count of texts a block can hold; the arena subtracts what it
    // did not hand out when it moves on, so handing out a text needs no atomic step.
    std::atomic<std::size_t> holders;
};
constexpr std::size_t kUnclaimed = kSharedBytes;

struct ArenaState {
    int depth = 0;          // FieldTextArena instances alive on this thread
    char* block = nullptr;  // the shared block texts are set in now
    std::size_t used = 0;   // its bytes taken, the head included
    std::size_t given = 0;  // the texts set in it
};
thread_local ArenaState tArena;

void DropHolders(SharedHead* head, std::size_t count) noexcept {
    if (head->holders.fetch_sub(count, std::memory_order_acq_rel) == count) {
        head->~SharedHead();
        ::operator delete (static_cast<void*>(head), std::align_val_t{kSharedBytes});
    }
}

// The arena leaves its current block to its texts.
void LeaveBlock(ArenaState& arena) noexcept {
    if (arena.block)
        DropHolders(reinterpret_cast<SharedHead*>(arena.block), kUnclaimed - arena.given);
    arena.block = nullptr;
}

// Room for bytes at 2 mod 8 in the arena's block, starting a block when it is full.
char* TakeShared(ArenaState& arena, std::size_t bytes) {
    std::size_t at = ((arena.used + 7) & ~std::size_t{7}) + kSharedMark;
    if (!arena.block || at + bytes > kSharedBytes) {
        auto* block =
            static_cast<char*>(::operator new (kSharedBytes, std::align_val_t{kSharedBytes}));
        LeaveBlock(arena);
        new (block) SharedHead{kUnclaimed};
        arena.block = block;
        arena.used = sizeof(SharedHead);
        arena.given = 0;
        at = ((arena.used + 7) & ~std::size_t{7}) + kSharedMark;
    }
    arena.used = at + bytes;
    ++arena.given;
    return arena.block + at;
}

}  // namespace

FieldTextArena::FieldTextArena() {
    ++tArena.depth;
}

FieldTextArena::~FieldTextArena() {
    if (--tArena.depth == 0)
        LeaveBlock(tArena);
}

void FieldText::AssignHeld(std::string_view text) {
    // The new block is made before the old is released: text may be this field's own.
    if (text.size() > UINT32_MAX)
        throw std::length_error("a field text longer than 4 GB");
    const auto size = static_cast<std::uint32_t>(text.size());
    ArenaState& arena = tArena;
    auto* block = arena.depth > 0 && text.size() <= kLongestSharedText
                      ? TakeShared(arena, sizeof size + text.size())
                      : static_cast<char*>(::operator new(sizeof size + text.size()));
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), text.size());
    Release();
    word_ = reinterpret_cast<std::uintptr_t>(block);
}

void FieldText::ReleaseHeld() noexcept {
    if (word_ & kSharedMark)
        DropHolders(reinterpret_cast<SharedHead*>(word_ & ~(kSharedBytes - 1)), 1);
    else
        ::operator delete(reinterpret_cast<void*>(word_));
}

std::string JoinText(std::string_view a, std::string_view b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a).append(b);
    return out;
}

std::ostream& operator<<(std::ostream& out, const FieldText& text) {
    return out << text.view();
}

}  // namespace zarvex
