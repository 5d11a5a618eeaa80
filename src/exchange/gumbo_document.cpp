#include "exchange/gumbo_document.h"

#include <algorithm>
#include <cstddef>

namespace zarvex::exchange {

namespace {
constexpr std::size_t kMinChunk = std::size_t{16} << 10;
constexpr std::size_t kMaxChunk = std::size_t{1} << 20;
constexpr std::size_t kAlign = alignof(std::max_align_t);
}  // namespace

GumboDocument::GumboDocument(std::string_view html)
    : chunkSize_(std::clamp(html.size() * 4, kMinChunk, kMaxChunk)) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &GumboDocument::Allocate;
    options.deallocator = &GumboDocument::Free;
    options.userdata = this;
    // Parse errors are not wanted; recording them would cost memory on broken pages.
    options.max_errors = 0;
    output_ = gumbo_parse_with_options(&options, html.data(), html.size());
}

void* GumboDocument::Allocate(void* userdata, std::size_t size) {
    auto* self = static_cast<GumboDocument*>(userdata);
    size = (size + kAlign - 1) / kAlign * kAlign;
    if (size == 0)
        size = kAlign;
    self->used_ += size;
    if (size > self->chunkSize_ / 4) {
        self->chunks_.emplace_back(new unsigned char[size]);
        return self->chunks_.back().get();
    }
    if (size > self->chunkLeft_) {
        self->chunks_.emplace_back(new unsigned char[self->chunkSize_]);
        self->next_ = self->chunks_.back().get();
        self->chunkLeft_ = self->chunkSize_;
    }
    void* p = self->next_;
    self->next_ += size;
    self->chunkLeft_ -= size;
    return p;
}

std::string_view Attribute(const GumboNode* element, const char* name) {
    if (!element || element->type != GUMBO_NODE_ELEMENT)
        return {};
    const GumboAttribute* a = gumbo_get_attribute(&element->v.element.attributes, name);
    return a && a->value ? std::string_view(a->value) : std::string_view();
}

}  // namespace zarvex::exchange
