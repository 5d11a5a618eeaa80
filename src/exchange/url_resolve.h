// Links of an imported page, resolved against the page's <base>.
#pragma once

#include <string>
#include <string_view>

namespace zarvex::exchange {

// link resolved against base as a browser would (RFC 3986). An absolute base gives
// absolute links; a relative base keeps links relative to the page. A link or base
// that does not parse as a URI reference is returned as the link was.
std::string ResolveLink(std::string_view base, std::string_view link);

}  // namespace zarvex::exchange
