#include "codegen/html_snippet.h"

#include <initializer_list>
#include <string_view>

#include "codegen/generated_header.h"
#include "model/text_util.h"

namespace zarvex {

namespace {

class LineSink {
  public:
    explicit LineSink(std::string& out) : out_(out) {}
    void Line(std::initializer_list<std::string_view> pieces) {
        for (std::string_view p : pieces)
            out_.append(p);
        out_.append("\r\n");
    }
    // An item-list line, indented by depth tabs.
    void Indented(int depth, std::initializer_list<std::string_view> pieces) {
        out_.append(static_cast<std::size_t>(depth), '\t');
        Line(pieces);
    }

  private:
    std::string& out_;
};

// How many enclosing lists end after node n, the last node of its own list: its
// own list unless it is a top-level node, and the list of every ancestor that is
// itself the last of a submenu list. The top-level list is closed separately.
int SubmenuListsClosedAfter(const TreeShape& shape, int n) {
    int count = shape.Level(n) > 1 ? 1 : 0;
    for (int a = shape.Parent(n); a > 0 && shape.NextSibling(a) < 0 && shape.Level(a) > 1;
         a = shape.Parent(a))
        ++count;
    return count;
}

}  // namespace

void AppendItemList(std::string& out, const TAppletData& menu, const TItemArray& items,
                    const TreeShape& shape, const WebPageOptions& webPage) {
    LineSink sink(out);
    std::string listAttributes = WebPageListAttributes(webPage);
    if (menu.ArrowImage != TAppletData{}.ArrowImage ||
        menu.ArrowImageHover != TAppletData{}.ArrowImageHover)
        listAttributes += " data-velmo-arrows=\"images\"";
    listAttributes +=
        webPage.listWithoutScripts ? " data-velmo-static=\"\"" : " style=\"display: none;\"";
    for (std::size_t k = 0; k < items.size(); ++k) {
        const TItemData& item = items[k];
        const int n = static_cast<int>(k) + 1;
        const int tabs = shape.Level(n);
        if (shape.PrevSibling(n) < 0) {
            if (n == 1)
                sink.Indented(tabs, {"<ul id=\"", menu.ListId, "\"", listAttributes, ">"});
            else
                sink.Indented(tabs, {"<ul>"});
        }
        if (!IsSeparatorText(item.Text)) {
            sink.Indented(tabs, {"<li title=\"", item.ToolTip, "\">"});
            if (!Trim(item.Icon).empty())
                sink.Indented(tabs, {"<img src=\"", item.Icon, "\" width=\"", menu.IconWidth,
                                     "\" height=\"", menu.IconHeight, "\" alt=\"\" />"});
            const std::string_view href =
                Trim(item.Link).empty() ? std::string_view("javascript:void(0)") : item.Link.view();
            sink.Indented(tabs, {"<a href=\"", href, "\" target=\"", item.Target, "\" title=\"",
                                 item.ToolTip, "\">", item.Text, "</a>"});
        } else {
            sink.Indented(tabs, {"<li>"});
        }
        const bool hasChildren = shape.HasChildren(n);
        if (!hasChildren)
            sink.Indented(tabs, {"</li>"});
        if (!hasChildren && shape.NextSibling(n) < 0) {
            for (int c = SubmenuListsClosedAfter(shape, n); c > 0; --c)
                sink.Indented(tabs, {"</ul></li>"});
        }
        if (shape.IsLast(n))
            sink.Indented(tabs, {"</ul>"});
    }
}

std::string HtmlSnippetText(const TAppletData& menu, const TItemArray& items,
                            const TLinkedFileInfoArray& linkedFiles, const TreeShape& shape,
                            const WebPageOptions& webPage) {
    std::string out;
    out.reserve(1500 + items.size() * 160);
    LineSink sink(out);
    sink.Line({MarkOfTheWebLine()});
    sink.Line({"<HTML>"});
    sink.Line({"<HEAD>"});
    const std::size_t charsetAt = out.size();
    sink.Line({"<TITLE>Preview</TITLE>"});
    sink.Line({});
    sink.Line({"<!-- ", kGeneratedProductLine, " -->"});
    sink.Line({"<!-- ", kGeneratedCopyrightLine, " -->"});
    sink.Line({"<!-- Please insert following codes into <head> section of Web pages. -->"});
    sink.Line({"<!-- BEGIN -->"});
    for (const TLinkedFileInfo& f : linkedFiles)
        if (EqualsIgnoreCase(f.FileType, "css"))
            sink.Line(
                {"<LINK href=\"./", f.FileName, "\" type=\"text/css\" rel=\"stylesheet\" />"});
    for (const TLinkedFileInfo& f : linkedFiles)
        if (EqualsIgnoreCase(f.FileType, "js"))
            sink.Line({"<SCRIPT language=\"javascript\" type=\"text/javascript\" src=\"./",
                       f.FileName, "\"></SCRIPT>"});
    sink.Line({"<!-- END -->"});
    sink.Line({});
    sink.Line({"</HEAD>"});
    sink.Line({"<BODY>"});
    sink.Line({});
    sink.Line(
        {"<!-- Please insert following <ul> tags to Web page where the script will display -->"});
    sink.Line({});
    sink.Line({});
    AppendItemList(out, menu, items, shape, webPage);
    sink.Line({});
    sink.Line({});
    sink.Line({"</BODY>"});
    sink.Line({"</HTML>"});
    // Texts are held as UTF-8; a page without a declared character set is read in
    // the browser's legacy default and shows them garbled. A pure-ASCII page is
    // left byte for byte as it always was.
    if (!IsAscii(out))
        out.insert(charsetAt, std::string(kUtf8CharsetLine) + "\r\n");
    return out;
}

}  // namespace zarvex
