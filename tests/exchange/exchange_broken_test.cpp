// Inputs the importers refuse: each row names the reader, the input (written to a
// file of the row's name), the message's reason and line. A refusal must name the
// file, and nothing else (no design) comes back.
#include <gtest/gtest.h>

#include <functional>

#include "exchange/exchange_files.h"
#include "exchange/html_import.h"
#include "exchange/sitemap_import.h"
#include "model/errors.h"
#include "support/files.h"
#include "support/scratch_folder.h"

namespace zarvex::exchange {
namespace {

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// A list nested levels deep, one entry per level.
std::string DeepPage(int levels) {
    return "<!DOCTYPE html><body>\n" + Repeat("<ul><li><a href=x>x</a>\n", levels) + "</body>";
}

std::string DeepJson(int levels) {
    return "{\"items\": " + Repeat("[{\"text\": \"x\", \"items\": ", levels) + "[]" +
           Repeat("}]", levels) + "}";
}

enum class Reader { Html, Sitemap, Json };

struct BrokenCase {
    const char* name;
    Reader reader;
    std::function<std::string()> content;
    const char* reason;  // a part of the message after "file:line: "
    int line;
};

std::string Text(const char* s) {
    return s;
}

const BrokenCase kCases[] = {
    {"no-lists.html", Reader::Html,
     [] { return Text("<html><body><p>Only <a href=a.html>one link</a></p><ul><li>x</ul>"); },
     "the page holds no list of links", 0},
    {"empty.html", Reader::Html, [] { return Text(""); }, "the page holds no list of links", 0},
    // The parser's own scope checks make ten thousand levels take seconds; two
    // thousand meet the same limit.
    {"deep.html", Reader::Html, [] { return DeepPage(2000); },
     "the menu is nested deeper than 100 levels", 102},
    {"huge.html", Reader::Html,
     [] { return "<ul><li><a href=a>a</a><li><a href=b>b</a></ul>" + std::string(65 << 20, ' '); },
     "the file is larger than 64 MB", 0},
    {"malformed.xml", Reader::Sitemap,
     [] {
         return Text(
             "<?xml version=\"1.0\"?>\n<urlset>\n<url><loc>https://a.example/</loc>\n</urlset>");
     },
     "not well-formed XML", 4},
    {"not-a-sitemap.xml", Reader::Sitemap,
     [] { return Text("<?xml version=\"1.0\"?>\n\n<rss><channel/></rss>"); },
     "not a sitemap: expected <urlset> or <sitemapindex>, found <rss>", 3},
    {"no-loc.xml", Reader::Sitemap,
     [] {
         return Text(
             "<urlset>\n<url><loc>https://a.example/</loc></url>\n<url><lastmod/></url>\n</"
             "urlset>");
     },
     "<url> without an address in <loc>", 3},
    {"empty-urlset.xml", Reader::Sitemap, [] { return Text("<urlset/>"); },
     "the sitemap lists no address to import", 0},
    {"index-missing.xml", Reader::Sitemap,
     [] {
         return Text(
             "<sitemapindex>\n<sitemap><loc>https://a.example/gone.xml</loc></sitemap>\n</"
             "sitemapindex>");
     },
     "the sitemap 'gone.xml' it names is not beside the index", 2},
    {"syntax.json", Reader::Json,
     [] { return Text("{\n  \"items\": [\n    {\"text\": \"a\",}\n  ]\n}"); }, "not valid JSON", 3},
    {"huge-number.json", Reader::Json, [] { return Text("{\"items\": [], \"version\": 4E4444}"); },
     "not readable JSON", 0},
    {"array.json", Reader::Json, [] { return Text("[]"); },
     "the document: expected an object with \"items\"", 0},
    {"no-items.json", Reader::Json, [] { return Text("{\"format\": \"zarvex-menu\"}"); },
     "items: expected an array of items", 0},
    {"other-format.json", Reader::Json,
     [] { return Text("{\"format\": \"hugo\", \"items\": []}"); },
     "format: expected \"zarvex-menu\"", 0},
    {"no-text.json", Reader::Json,
     [] { return Text("{\"items\": [{\"text\": \"a\", \"items\": [{\"link\": \"b\"}]}]}"); },
     "items[0].items[0]: the item has no \"text\"", 0},
    {"number.json", Reader::Json, [] { return Text("{\"items\": [{\"text\": 3}]}"); },
     "items[0].text: expected a string", 0},
    {"unknown-key.json", Reader::Json, [] { return Text("{\"items\": [{\"txt\": \"a\"}]}"); },
     "items[0]: 'txt' is not an item field", 0},
    {"menu-field.json", Reader::Json,
     [] { return Text("{\"menu\": {\"menuColour\": \"red\"}, \"items\": []}"); },
     "menu: 'menuColour' is not a menu field", 0},
    {"children.json", Reader::Json,
     [] { return Text("{\"items\": [{\"text\": \"a\", \"items\": {}}]}"); },
     "items[0].items: expected an array of items", 0},
    {"deep.json", Reader::Json, [] { return DeepJson(10000); },
     "the menu is nested deeper than 100 levels", 0},
};

class ExchangeBroken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(ExchangeBroken, IsRefusedNamingFileAndLine) {
    const BrokenCase& c = GetParam();
    zarvex::testing::ScratchFolder folder("broken");
    const std::string path = folder.File(c.name);
    zarvex::testing::WriteBytes(path, c.content());
    try {
        switch (c.reader) {
            case Reader::Html:
                FindNavigationLists(ReadImportFile(path), path);
                break;
            case Reader::Sitemap:
                ImportSitemapFile(path);
                break;
            case Reader::Json:
                ImportJsonFile(path);
                break;
        }
        FAIL() << c.name << " was accepted";
    } catch (const FileFormatError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.what();
        EXPECT_EQ(e.line(), c.line) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ExchangeBroken, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (ch == '-' || ch == '.')
            ch = '_';
    return name;
});

}  // namespace
}  // namespace zarvex::exchange
