#include "codegen/static_list_style.h"

#include "codegen/css_values.h"

namespace zarvex {

std::string StaticListRules(const TAppletData& m) {
    const std::string list = "ul#" + m.MenuName + "_ul";
    std::string out;
    const auto rule = [&out](const std::string& selector, const std::string& declarations) {
        out += selector + "{\r\n" + declarations + "\r\n}\r\n\r\n";
    };
    rule(list + "," + list + " ul", "list-style: none; margin: 0; padding: 0;");
    rule(list, "font:" + CssLength(m.FontSize) + " " + m.FontFamily +
                   "; color: " + CssColor(m.TextColor) +
                   "; background-color: " + CssColor(m.BackgroundColor) + ";");
    rule(list + " ul", "padding-left: 1.5em;");
    rule(list + " a", "display: block; padding: 4px 8px; color: inherit; text-decoration: none;");
    rule(list + " img", "float: left; margin: 4px 0 0 4px;");
    return out;
}

}  // namespace zarvex
