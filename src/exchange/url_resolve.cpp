#include "exchange/url_resolve.h"

#include <uriparser/Uri.h>

#include <memory>

namespace zarvex::exchange {

namespace {

// A host no real address uses: a relative base is resolved below it and the
// prefix taken off again.
constexpr std::string_view kStandIn = "http://zarvex.invalid/";

// A parsed URI points into its text, which it therefore keeps.
struct ParsedUri {
    std::string text;
    UriUriA uri{};
    bool ok = false;
    explicit ParsedUri(std::string t) : text(std::move(t)) {
        const char* error = nullptr;
        ok = uriParseSingleUriA(&uri, text.c_str(), &error) == URI_SUCCESS;
    }
    ParsedUri() = default;
    ParsedUri(const ParsedUri&) = delete;
    ParsedUri& operator=(const ParsedUri&) = delete;
    ~ParsedUri() {
        if (ok)
            uriFreeUriMembersA(&uri);
    }
};

bool IsAbsolute(const UriUriA& uri) {
    return uri.scheme.first != nullptr;
}

}  // namespace

std::string ResolveLink(std::string_view base, std::string_view link) {
    const std::string linkText(link);
    if (base.empty())
        return linkText;
    ParsedUri parsedBase{std::string(base)};
    if (!parsedBase.ok)
        return linkText;
    const bool relativeBase = !IsAbsolute(parsedBase.uri);
    ParsedUri standIn{std::string(kStandIn) + std::string(base)};
    if (relativeBase && !standIn.ok)
        return linkText;
    ParsedUri parsedLink{linkText};
    if (!parsedLink.ok)
        return linkText;
    ParsedUri resolved;
    if (uriAddBaseUriA(&resolved.uri, &parsedLink.uri,
                       relativeBase ? &standIn.uri : &parsedBase.uri) != URI_SUCCESS)
        return linkText;
    resolved.ok = true;
    int chars = 0;
    if (uriToStringCharsRequiredA(&resolved.uri, &chars) != URI_SUCCESS)
        return linkText;
    std::string out(static_cast<std::size_t>(chars) + 1, '\0');
    if (uriToStringA(out.data(), &resolved.uri, chars + 1, nullptr) != URI_SUCCESS)
        return linkText;
    out.resize(static_cast<std::size_t>(chars));
    if (relativeBase) {
        if (out.compare(0, kStandIn.size(), kStandIn) != 0)
            return out;  // the link named a host of its own
        out.erase(0, kStandIn.size());
    }
    return out;
}

}  // namespace zarvex::exchange
