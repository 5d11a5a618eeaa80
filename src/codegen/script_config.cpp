#include "codegen/script_config.h"

#include <initializer_list>
#include <string_view>

#include "codegen/generated_header.h"

namespace zarvex {

std::string ConfigScriptText(const TAppletData& m) {
    const std::string& name = m.MenuName;
    std::string out = GeneratedCodeHeader();
    out.reserve(out.size() + 600 + 6 * name.size());
    auto line = [&out](std::initializer_list<std::string_view> pieces) {
        for (std::string_view p : pieces)
            out.append(p);
        out.append("\r\n");
    };
    line({});
    line({"function init", name, "2(bxAb,byAb,bzAb,BaAb,BbAb,BcAb,BdAb) {"});
    line(
        {"var BfAb = { Bxay: byAb, bZay: bzAb, BAay: BaAb, BKay: BbAb, BLay: BcAb, BMay: BdAb };"});
    line({name, " = Velmo.construct(bxAb, BfAb);"});
    line({"};"});
    line({});
    line({"function init", name, "() {"});
    line({"init", name, "2('", m.ListId, "',", m.Orientation, ",", m.ShowTooltips, ",",
          m.ShowShadow, ",", m.ClickToOpen, ",", m.DelayClose, ",", m.BlinkTimes, ");"});
    line({"};"});
    line({});
    line({"BeAb = window.onload;"});
    line({"window.onload = function(_e)"});
    line({"{"});
    line({"if (BeAb != null)"});
    line({"{"});
    line({"BeAb();"});
    line({"};"});
    line({"init", name, "();"});
    line({"};"});
    line({});
    line({});
    return out;
}

std::string ConfigScriptFileName(const TAppletData& menu) {
    return menu.MenuName + "cfg.js";
}

}  // namespace zarvex
