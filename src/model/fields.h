// The one table of record fields. Every file format, property page binding and
// generator step iterates these lists, so field names, order and defaults live here only.
#pragma once

// X(member, default text) — order is the project file's field order and is fixed.
#define ZARVEX_APPLET_FIELDS(X)                  \
    X(MenuName, "MyMenu1")                       \
    X(ListId, "")                                \
    X(Orientation, "0")                          \
    X(ShowTooltips, "1")                         \
    X(ShowShadow, "1")                           \
    X(ClickToOpen, "0")                          \
    X(DelayClose, "100")                         \
    X(BlinkTimes, "0")                           \
    X(PaddingTop, "0")                           \
    X(PaddingRight, "0")                         \
    X(PaddingBottom, "0")                        \
    X(PaddingLeft, "0")                          \
    X(BorderWidth, "1")                          \
    X(BorderStyle, "3")                          \
    X(BorderColorTop, "55A1FF")                  \
    X(BorderColorRight, "4086E4")                \
    X(BorderColorBottom, "68ACF8")               \
    X(BorderColorLeft, "3882E2")                 \
    X(Cursor, "2")                               \
    X(TextColor, "000000")                       \
    X(BackgroundColor, "FFFFFF")                 \
    X(TextColorHover, "FFFFFF")                  \
    X(BackgroundColorHover, "316AC5")            \
    X(TextColorActive, "FFFFFF")                 \
    X(BackgroundColorActive, "316AC5")           \
    X(ZIndex, "1000")                            \
    X(FontFamily, "tahoma, verdana, sans-serif") \
    X(FontSize, "11")                            \
    X(IconWidth, "16")                           \
    X(IconHeight, "16")                          \
    X(ArrowImage, "arrowr.gif")                  \
    X(ArrowImageHover, "arrowrh.gif")            \
    X(SeparatorImage, "sep.gif")                 \
    X(ScrollUpImage, "scrollu.gif")              \
    X(ScrollUpImageHover, "scrolluh.gif")        \
    X(ScrollUpImagePressed, "scrollud.gif")      \
    X(ScrollDownImage, "scrolld.gif")            \
    X(ScrollDownImageHover, "scrolldh.gif")      \
    X(ScrollDownImagePressed, "scrolldd.gif")    \
    X(LocalRootDir, "")                          \
    X(RemoteRootDir, "")                         \
    X(UseLocalPaths, "0")

#define ZARVEX_ITEM_FIELDS(X) \
    X(Text, "Item")           \
    X(Icon, "")               \
    X(Link, "")               \
    X(Target, "_self")        \
    X(ToolTip, "")            \
    X(Reserved6, "")          \
    X(Level, "")              \
    X(Reserved8, "")          \
    X(Reserved9, "")          \
    X(ParentIndex, "")
