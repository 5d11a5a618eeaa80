// A page parsed by gumbo, its nodes kept in an arena of this object's own: gumbo's
// own clean-up walks the tree recursively, which deep nesting would overflow, and
// the arena frees the whole tree in one go instead.
#pragma once

#include <gumbo.h>

#include <memory>
#include <string_view>
#include <vector>

namespace zarvex::exchange {

class GumboDocument {
  public:
    explicit GumboDocument(std::string_view html);
    GumboDocument(const GumboDocument&) = delete;
    GumboDocument& operator=(const GumboDocument&) = delete;

    const GumboNode* Root() const { return output_ ? output_->document : nullptr; }
    // Bytes the parse asked for, freed ones included.
    std::size_t ArenaBytes() const { return used_; }

  private:
    static void* Allocate(void* self, std::size_t size);
    static void Free(void*, void*) {}

    std::vector<std::unique_ptr<unsigned char[]>> chunks_;
    std::size_t chunkSize_;  // grows with the page, so that a small one asks for little
    std::size_t chunkLeft_ = 0;
    unsigned char* next_ = nullptr;
    std::size_t used_ = 0;
    GumboOutput* output_ = nullptr;
};

// The value of an element's attribute, or empty.
std::string_view Attribute(const GumboNode* element, const char* name);

}  // namespace zarvex::exchange
