// The HTML snippet: the links to the stylesheet and scripts for the page's head,
// and the item tree as a hidden nested list that velmo.js turns into the menu.
#pragma once

#include <string>
#include <string_view>

#include "model/records.h"
#include "model/tree_shape.h"
#include "model/web_page_options.h"

namespace zarvex {

inline constexpr std::string_view kUtf8CharsetLine =
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

// The item list alone: item k belongs to node k + 1 of shape, and every line is
// indented by as many tabs as its node's level. Nothing is escaped. items must
// hold exactly one record per non-root node of shape.
// The list carries the web page choices as attributes, and arrow images of the design's
// own choosing as data-velmo-arrows="images"; a list shown without scripts is not hidden.
void AppendItemList(std::string& out, const TAppletData& menu, const TItemArray& items,
                    const TreeShape& shape, const WebPageOptions& webPage = {});

// The whole snippet, every line ended by CR LF. Links every "css" entry of
// linkedFiles, then every "js" entry (types compared ignoring case), each group in
// list order; entries of other types are left out. A snippet holding any byte
// outside ASCII declares UTF-8 with kUtf8CharsetLine right after "<HEAD>".
std::string HtmlSnippetText(const TAppletData& menu, const TItemArray& items,
                            const TLinkedFileInfoArray& linkedFiles, const TreeShape& shape,
                            const WebPageOptions& webPage = {});

}  // namespace zarvex
