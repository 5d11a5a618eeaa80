#include "codegen/stylesheet.h"

#include <initializer_list>

#include "codegen/css_values.h"
#include "codegen/generated_header.h"
#include "model/errors.h"
#include "model/text_util.h"

namespace zarvex {

namespace {

void AddRule(std::string& out, std::string_view selector,
             std::initializer_list<std::string_view> declarations) {
    out.append(selector);
    out.append("{\r\n");
    for (std::string_view d : declarations) {
        out.append(d);
        out.append("\r\n");
    }
    out.append("}\r\n\r\n");
}

std::string Join4(std::string a, std::string_view b, std::string_view c, std::string_view d) {
    a.append(" ").append(b).append(" ").append(c).append(" ").append(d);
    return a;
}

}  // namespace

std::string StylesheetRules(const TAppletData& m) {
    // Every conversion that can fail runs before any text is assembled, and a
    // refusal names the field.
    const auto convert = [](std::string_view field, const std::string& text, auto conversion) {
        try {
            return conversion(text);
        } catch (const ConversionError& e) {
            throw ConversionError(e.text(), field);
        }
    };
    const std::string borderStyle = convert("BorderStyle", m.BorderStyle,
                                            [](const std::string& t) { return CssBorderStyle(t); });
    const std::string cursor =
        convert("Cursor", m.Cursor, [](const std::string& t) { return CssCursor(t); });
    // Wide arithmetic: the lowest 32-bit stacking order still has a level below it.
    const long long shadowZIndex =
        static_cast<long long>(
            convert("ZIndex", m.ZIndex, [](const std::string& t) { return StrToInt(t); })) -
        1;

    const std::string padding = "padding: " +
                                Join4(CssLength(m.PaddingTop), CssLength(m.PaddingRight),
                                      CssLength(m.PaddingBottom), CssLength(m.PaddingLeft)) +
                                ";";
    const std::string borderWidth = "border-width:" + CssLength(m.BorderWidth) + ";";
    const std::string borderStyleLine = "border-style:" + borderStyle + ";";
    const std::string borderColor =
        "border-color:" +
        Join4(CssColor(m.BorderColorTop), CssColor(m.BorderColorRight),
              CssColor(m.BorderColorBottom), CssColor(m.BorderColorLeft)) +
        ";";
    const std::string cursorLine = "cursor:" + cursor + ";";
    const std::string color = "color:" + CssColor(m.TextColor) + ";";
    const std::string background = "background-color:" + CssColor(m.BackgroundColor) + ";";
    const std::string colorHover = "color:" + CssColor(m.TextColorHover) + ";";
    const std::string backgroundHover =
        "background-color:" + CssColor(m.BackgroundColorHover) + ";";
    const std::string colorActive = "color:" + CssColor(m.TextColorActive) + ";";
    const std::string backgroundActive =
        "background-color:" + CssColor(m.BackgroundColorActive) + ";";
    const std::string zIndex = "z-index:" + m.ZIndex + ";";
    const std::string shadowZIndexLine = "z-index:" + std::to_string(shadowZIndex) + ";";
    const std::string font = "font:" + CssLength(m.FontSize) + " " + m.FontFamily + ";";
    const std::string iconWidth = "width:" + CssLength(m.IconWidth) + ";";
    const std::string iconHeight = "height:" + CssLength(m.IconHeight) + ";";

    std::string out;
    out.reserve(6000 + 4 * m.FontFamily.size());

    // The menu bar.
    AddRule(out, "div.bnaz-bpAb",
            {padding, borderWidth, borderStyleLine, borderColor, cursorLine, "width: auto;;",
             "height: auto;;", color, background, zIndex});
    AddRule(out, "div.bnaz-bpAb table", {font, color});
    AddRule(out, "div.bnaz-bpAb table tr td.bGaz", {"padding: 3px 9px;"});
    AddRule(out, "div.bnaz-bpAb table tr td.bGaz img", {"vertical-align: middle;"});
    AddRule(out, "div.bnaz-bpAb table tr td.bGaz table td.BDaz", {"padding-right: 3px;"});
    AddRule(out, "div.bnaz-bpAb table tr td.bqAb", {colorHover, backgroundHover});
    AddRule(out, "div.bnaz-bpAb table tr td.brAb", {colorActive, backgroundActive});
    AddRule(out, "div.bnaz-bpAb table tr td.bqAb table", {colorHover});
    AddRule(out, "div.bnaz-bpAb table tr td.brAb table", {colorActive});
    AddRule(out, "div.bnaz-bpAb table tr td.BTaz", {"width: 6px;"});
    AddRule(out, "div.bnaz-bpAb table tr td.BTaz div",
            {"border-left: 1px solid #C5C2B8;border-right: none;border-top: none;"
             "border-bottom: none;margin: 3px;height: 1.3em;overflow: hidden;"});
    AddRule(out, "div.bnaz-bpAb tr td.BDaz", {"padding: 1px 1px 3px 3px;", iconWidth, iconHeight});
    AddRule(out, "div.bnaz-bpAb tr td.BDaz img,\r\ndiv.bnaz-bpAb tr td.BDaz div",
            {iconWidth, iconHeight});

    // The pop-up submenus.
    AddRule(out, "div.bnaz-bwAb",
            {"position: absolute;", "left: 0px;", "top: 0px;", "padding: 0px;", color, background,
             borderWidth, borderStyleLine, borderColor, cursorLine, zIndex});
    AddRule(out, "div.bnaz-bwAb table", {font});
    AddRule(out, "div.bnaz-bwAb tr.bGaz td.BDaz",
            {"padding: 1px 1px 1px 3px;", iconWidth, iconHeight});
    AddRule(out, "div.bnaz-bwAb tr.bGaz td.BDaz img,\r\ndiv.bnaz-bwAb tr.bGaz td.BDaz div",
            {iconWidth, iconHeight});
    AddRule(out, "div.bnaz-bwAb tr.bGaz td.BJaz", {"padding: 1px 11px 1px 3px;"});
    AddRule(out, "div.bnaz-bwAb tr.bGaz td.bfAa", {"width: 9px;"});
    AddRule(out, "div.bnaz-bwAb tr.bGaz td.bfAa div",
            {"width: 9px; background: transparent url(\"arrowr.gif\") no-repeat 0% 50%;"});
    AddRule(out, "div.bnaz-bwAb tr.bqAb td.bfAa div,div.bnaz-bwAb tr.brAb td.bfAa div",
            {"background: transparent url(\"arrowrh.gif\") no-repeat 0% 50%;"});
    AddRule(out, "div.bnaz-bwAb tr.bGaz.bqAb", {colorHover, backgroundHover});
    AddRule(out, "div.bnaz-bwAb tr.bGaz.brAb", {colorActive, backgroundActive});
    AddRule(out, "div.bnaz-bwAb tr.bGaz.bqAb td.BDaz", {backgroundHover});
    AddRule(out, "div.bnaz-bwAb tr.bGaz.brAb td.BDaz", {colorActive, backgroundActive});
    AddRule(out, "div.bnaz-bwAb tr.BTaz td div",
            {"margin: 2px;height: 1px;line-height: 1px;font-size: 1px;border: none;"
             "background: url(\"sep.gif\") no-repeat 50% 50%;"});
    AddRule(out, "div.bnaz-bwAb div.d1",
            {"border-left: 1px solid #83B0EC; border-right: none; border-top: none; "
             "border-bottom: none;"});
    AddRule(out, "div.bnaz-bwAb div.d2",
            {"border-left: 1px solid #2C7AE0; border-right: none; border-top: none; "
             "border-bottom: none;"});
    AddRule(out, "div.bnaz-bwAb div.d3",
            {"border-left: 1px solid #2D7CE2; border-right: none; border-top: none; "
             "border-bottom: none;"});
    AddRule(out, "div.bnaz-bwAb div.d4",
            {"border-left: 1px solid #307FE5; border-right: none; border-top: none; "
             "border-bottom: none;"});
    AddRule(out, "div.bnaz-bwAb div.d5",
            {"border-left: 1px solid #3382E8; border-right: none; border-top: none; "
             "border-bottom: none;"});

    // The drop shadow, one stacking level below the menu.
    AddRule(
        out, "div.bnaz-bvAb",
        {"position: absolute;background-color: gray;-moz-opacity: 0.3; filter: alpha(opacity=30);",
         shadowZIndexLine});

    // Scrolling of long pop-ups.
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb", {"overflow: hidden;"});
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb-btAb",
            {"height: 11px; font-size: 11px; line-height: 11px; overflow: hidden; "
             "background: url(\"scrollu.gif\") no-repeat 50% 50%;"});
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb-btAb-bqAb",
            {"background-image: url(\"scrolluh.gif\");"});
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb-btAb-buAb",
            {"background-image: url(\"scrollud.gif\");"});
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb-Boaz",
            {"height: 11px; font-size: 11px; line-height: 11px; overflow: hidden; "
             "background: url(\"scrolld.gif\") no-repeat 50% 50%;"});
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb-Boaz-bqAb",
            {"background-image: url(\"scrolldh.gif\");"});
    AddRule(out, "div.bnaz-bwAb div.bnaz-bsAb-Boaz-buAb",
            {"background-image: url(\"scrolldd.gif\");"});
    return out;
}

std::string StylesheetText(const TAppletData& menu) {
    std::string rules = StylesheetRules(menu);
    std::string out = GeneratedCodeHeader();
    out.reserve(out.size() + rules.size() + 2);
    out.append(rules);
    out.append("\r\n");
    return out;
}

std::string StylesheetFileName(const TAppletData& menu) {
    return menu.MenuName + ".css";
}

}  // namespace zarvex
