// A design read from another program's format, checked whole and not yet applied:
// the items in pre-order with their tree levels, the menu fields when the format
// carries them, and the warnings about texts that had to be cleaned.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/applet_design.h"
#include "model/design_tree.h"
#include "model/records.h"

namespace zarvex::exchange {

// The deepest tree level an import may give. Deeper input is refused, naming where
// it goes deeper, rather than read into a menu no one could use.
inline constexpr int kMaxImportLevel = 100;

// The largest file an import reads: a page, sitemap or JSON file past it is refused
// before it is parsed, so that the parsers' memory stays bounded.
inline constexpr std::size_t kMaxImportBytes = std::size_t{64} << 20;

struct ImportedDesign {
    TItemArray items;             // NewItemRecord() with the carried fields set
    std::vector<int> treeLevels;  // per item, its node's tree level (Level + 1)
    std::optional<TAppletData> menu;
    std::vector<std::string> warnings;
};

// Collects items in pre-order. Every text goes through the cleaning the project
// file needs: the field separator "#$@" becomes "#$ @" and line breaks and other
// control characters become spaces, each cleaning earning one warning naming
// where the text came from.
class DesignBuilder {
  public:
    DesignBuilder(std::string path) : path_(std::move(path)) {}

    // Adds an item at treeLevel (1 for a top item); where names the place in the
    // input for messages ("line 12", "items[3]"). Refuses (FileFormatError with
    // line, 0 when the format has none) a level past kMaxImportLevel.
    void Add(int treeLevel, TItemData item, int line, const std::string& where);

    std::size_t Count() const { return design_.items.size(); }
    const TItemData& Last() const { return design_.items.back(); }
    // The menu fields, cleaned as item texts are.
    void SetMenu(TAppletData menu);
    void Warn(std::string text) { design_.warnings.push_back(std::move(text)); }
    ImportedDesign Take() { return std::move(design_); }

  private:
    std::string Clean(std::string text, std::string_view field, const std::string& where);
    std::string path_;
    ImportedDesign design_;
};

// Reads a whole input file, refusing one larger than kMaxImportBytes.
std::string ReadImportFile(const std::string& path);

// The 1-based line of byte offset in text.
int LineAt(std::string_view text, std::size_t offset);

// Makes the imported design the target's (menu fields reset to the defaults unless the design
// carries its own) and rebuilds tree from it.
void ReplaceDesign(AppletDesign& agent, IDesignTree& tree, ImportedDesign design);

// The tree levels of a design's items as its tree holds them (the Level fields
// when no tree is attached).
std::vector<int> CurrentTreeLevels(const AppletDesign& agent);

}  // namespace zarvex::exchange
