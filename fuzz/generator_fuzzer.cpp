// Random valid designs (every menu-wide field within what the window's controls
// hold, random trees, captions, links, targets, tooltips and icons) must pass the
// field check and build into a configuration script that a script engine parses
// and runs into the one expected Velmo.construct call, and into a page whose
// list, read by an HTML parser, is the design's tree item for item.
//
// The script goes to one node process for the whole run (started at the first
// input, fed through a pipe), so that an execution costs no process start.
#include <fuzzer/FuzzedDataProvider.h>
#include <gumbo.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "codegen/built_menu.h"
#include "model/menu_field_checks.h"
#include "model/preorder_tree.h"
#include "model/text_util.h"
#include "publish/applet_agent.h"

namespace {

using namespace zarvex;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "generator fuzzer: %s\n", what.c_str());
    std::abort();
}

// Parses each script with vm.Script, then runs it against a stand-in window and
// Velmo, and answers one line: "ok <listId>,<six options>" or "error <message>".
const char* const kScriptChecker = R"JS(
const vm = require('vm');
let buf = Buffer.alloc(0);
process.stdin.on('data', d => {
  buf = Buffer.concat([buf, d]);
  while (buf.length >= 4) {
    const n = buf.readUInt32LE(0);
    if (buf.length < 4 + n) break;
    const src = buf.subarray(4, 4 + n).toString('latin1');
    buf = buf.subarray(4 + n);
    let out;
    try {
      new vm.Script(src);
      const calls = [];
      const sandbox = { window: {}, Velmo: { construct: (id, o) => {
        calls.push([id, o.Bxay, o.bZay, o.BAay, o.BKay, o.BLay, o.BMay].join(','));
        return {};
      } } };
      vm.runInNewContext(src, sandbox, { timeout: 2000 });
      sandbox.window.onload();
      out = 'ok ' + calls.join(';');
    } catch (e) {
      out = 'error ' + String(e).replace(/\n/g, ' ');
    }
    process.stdout.write(out + '\n');
  }
});
)JS";

class ScriptChecker {
  public:
    ScriptChecker() {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            Fail("no pipe for node");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            execlp("node", "node", "-e", kScriptChecker, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        toNode_ = in[1];
        fromNode_ = out[0];
        signal(SIGPIPE, SIG_IGN);
    }

    std::string Check(const std::string& script) {
        const auto n = static_cast<std::uint32_t>(script.size());
        const unsigned char length[4] = {
            static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
            static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
        WriteAll(reinterpret_cast<const char*>(length), 4);
        WriteAll(script.data(), script.size());
        // libFuzzer's timer interrupts blocking calls: EINTR is retried.
        std::string line;
        for (char c;;) {
            const ssize_t r = read(fromNode_, &c, 1);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0 || c == '\n')
                break;
            line.push_back(c);
        }
        if (line.empty())
            Fail("node gave no answer (is node installed?)");
        return line;
    }

  private:
    void WriteAll(const char* p, std::size_t n) {
        while (n > 0) {
            const ssize_t w = write(toNode_, p, n);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                Fail("node stopped reading");
            p += w;
            n -= static_cast<std::size_t>(w);
        }
    }
    pid_t pid_ = -1;
    int toNode_ = -1;
    int fromNode_ = -1;
};

// --- random valid designs ---------------------------------------------------------

std::string Pick(FuzzedDataProvider& in, std::string_view alphabet, std::size_t longest) {
    std::string s;
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, longest);
    for (std::size_t i = 0; i < n; ++i)
        s.push_back(alphabet[in.ConsumeIntegralInRange<std::size_t>(0, alphabet.size() - 1)]);
    return s;
}

constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
constexpr std::string_view kNameChars =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789";

// Captions and tooltips: text, blanks, punctuation and UTF-8 letters, without the
// characters that make HTML of them (they are HTML by design).
std::string Text(FuzzedDataProvider& in, std::size_t longest) {
    static const char* const kPieces[] = {"a",
                                          "Z",
                                          "0",
                                          " ",
                                          ".",
                                          ",",
                                          ";",
                                          ":",
                                          "!",
                                          "?",
                                          "(",
                                          ")",
                                          "[",
                                          "]",
                                          "{",
                                          "}",
                                          "/",
                                          "\\",
                                          "|",
                                          "-",
                                          "_",
                                          "=",
                                          "+",
                                          "*",
                                          "#",
                                          "%",
                                          "@",
                                          "$",
                                          "^",
                                          "~",
                                          "`",
                                          "\xC3\xA9",
                                          "\xE2\x82\xAC",
                                          "\xF0\x9F\x8D\x94"};
    std::string s;
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, longest);
    for (std::size_t i = 0; i < n; ++i)
        s += kPieces[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kPieces) - 1)];
    return s;
}

std::string Number(FuzzedDataProvider& in, int lowest) {
    return std::to_string(in.ConsumeIntegralInRange<int>(lowest, 9999));
}

std::string Color(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return in.ConsumeBool() ? "Transparent" : "transparent";
    std::string s;
    for (int i = 0; i < 6; ++i)
        s.push_back("0123456789ABCDEFabcdef"[in.ConsumeIntegralInRange(0, 21)]);
    return s;
}

// Families of words that each start with a letter, bare or in either quote.
std::string FontList(FuzzedDataProvider& in) {
    std::string list;
    const int n = in.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            list += in.ConsumeBool() ? ", " : ",";
        std::string family;
        for (int w = in.ConsumeIntegralInRange(1, 3); w > 0; --w)
            family += (family.empty() ? "f" : " F") + Pick(in, "abcXY09-_", 6);
        switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0:
                list += family;
                break;
            case 1:
                list += "\"" + family + " Sans;{}'\"";
                break;
            case 2:
                list += "'" + family + " \"Serif\"'";
                break;
            default:
                list += "Caf\xC3\xA9 " + family;
                break;
        }
    }
    return list;
}

std::string MenuName(FuzzedDataProvider& in) {
    std::string name = Pick(in, kLetters, 1) + Pick(in, kNameChars, 12);
    if (name.empty())
        name = "m";
    while (!MenuNameFault(name).empty())
        name.insert(0, "M");
    return name;
}

TAppletData RandomMenu(FuzzedDataProvider& in) {
    TAppletData m = DefaultAppletData();
    m.MenuName = MenuName(in);
    m.Orientation = std::to_string(in.ConsumeIntegralInRange(-1, 1));
    for (std::string* flag : {&m.ShowTooltips, &m.ShowShadow, &m.ClickToOpen, &m.UseLocalPaths})
        *flag = in.ConsumeBool() ? "1" : "0";
    m.DelayClose = Number(in, -9999);
    m.BlinkTimes = Number(in, -9999);
    m.ZIndex = Number(in, -9999);
    for (std::string* n : {&m.PaddingTop, &m.PaddingRight, &m.PaddingBottom, &m.PaddingLeft,
                           &m.BorderWidth, &m.IconWidth, &m.IconHeight})
        *n = Number(in, 0);
    m.FontSize = Number(in, 1);
    m.BorderStyle = std::to_string(in.ConsumeIntegralInRange(-1, 9));
    m.Cursor = std::to_string(in.ConsumeIntegralInRange(-1, 24));
    for (std::string* c : {&m.BorderColorTop, &m.BorderColorRight, &m.BorderColorBottom,
                           &m.BorderColorLeft, &m.TextColor, &m.BackgroundColor, &m.TextColorHover,
                           &m.BackgroundColorHover, &m.TextColorActive, &m.BackgroundColorActive})
        *c = Color(in);
    m.FontFamily = FontList(in);
    if (in.ConsumeBool()) {
        m.LocalRootDir = "C:\\site" + Pick(in, "ab/\\", 3);
        m.RemoteRootDir = "http://example.org/" + Pick(in, "ab/", 3);
    }
    return m;
}

std::string Target(FuzzedDataProvider& in) {
    static const char* const kTargets[] = {"_self",  "_blank", "_parent", "_top",   "_search",
                                           "_media", "",       "content", "frame 2"};
    return kTargets[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kTargets) - 1)];
}

TItemArray RandomItems(FuzzedDataProvider& in, std::vector<int>& treeLevels) {
    TItemArray items;
    const int count = in.ConsumeIntegralInRange(0, 40);
    int level = -1;
    for (int i = 0; i < count; ++i) {
        level = i == 0 ? 0 : in.ConsumeIntegralInRange(0, level + 1);
        TItemData item = NewItemRecord();
        item.Text = in.ConsumeIntegralInRange(0, 9) == 0 ? " SeParator " : Text(in, 16);
        item.Link = in.ConsumeBool() ? "" : "p" + Pick(in, "ab 1/?=", 6) + ".html";
        item.Target = Target(in);
        item.ToolTip = Text(in, 10);
        item.Icon = in.ConsumeBool() ? "" : "img/i" + Pick(in, "ab1 ", 4) + ".gif";
        item.Level = std::to_string(level);
        treeLevels.push_back(level + 1);
        items.push_back(item);
    }
    return items;
}

// --- the page's list against the tree ----------------------------------------------

std::vector<const GumboNode*> Children(const GumboNode* node, GumboTag tag) {
    std::vector<const GumboNode*> found;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == tag)
            found.push_back(child);
    }
    return found;
}

std::string TextOf(const GumboNode* node) {
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE)
        return node->v.text.text;
    std::string text;
    if (node->type == GUMBO_NODE_ELEMENT) {
        const GumboVector& children = node->v.element.children;
        for (unsigned i = 0; i < children.length; ++i)
            text += TextOf(static_cast<const GumboNode*>(children.data[i]));
    }
    return text;
}

std::string Attribute(const GumboNode* node, const char* name) {
    const GumboAttribute* a = gumbo_get_attribute(&node->v.element.attributes, name);
    return a ? a->value : "<none>";
}

const GumboNode* FindById(const GumboNode* node, const std::string& id) {
    if (node->type != GUMBO_NODE_ELEMENT)
        return nullptr;
    if (Attribute(node, "id") == id)
        return node;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        if (const GumboNode* f = FindById(static_cast<const GumboNode*>(children.data[i]), id))
            return f;
    return nullptr;
}

// Compares the list ul with the items from next on whose tree level is level;
// advances next past them and their descendants.
void CompareList(const GumboNode* ul, const TItemArray& items, const std::vector<int>& levels,
                 std::size_t& next, int level) {
    for (const GumboNode* li : Children(ul, GUMBO_TAG_LI)) {
        if (next >= items.size() || levels[next] != level)
            Fail("the page's list has an item the design lacks");
        const TItemData& item = items[next++];
        const auto anchors = Children(li, GUMBO_TAG_A);
        if (IsSeparatorText(item.Text)) {
            if (!anchors.empty())
                Fail("a separator has a link");
        } else {
            if (anchors.size() != 1)
                Fail("an item has no single link");
            const std::string href = Trim(item.Link).empty() ? "javascript:void(0)" : item.Link;
            if (TextOf(anchors[0]) != item.Text || Attribute(anchors[0], "href") != href ||
                Attribute(anchors[0], "target") != item.Target ||
                Attribute(anchors[0], "title") != item.ToolTip)
                Fail("item '" + item.Text + "' reads back as '" + TextOf(anchors[0]) + "'");
            const auto images = Children(li, GUMBO_TAG_IMG);
            if (images.size() != (Trim(item.Icon).empty() ? 0u : 1u) ||
                (!images.empty() && Attribute(images[0], "src") != item.Icon))
                Fail("item '" + item.Text + "' has the wrong icon");
        }
        const auto sublists = Children(li, GUMBO_TAG_UL);
        const bool hasChildren = next < items.size() && levels[next] == level + 1;
        if (sublists.size() != (hasChildren ? 1u : 0u))
            Fail("item '" + item.Text + "' has the wrong submenu");
        if (hasChildren)
            CompareList(sublists[0], items, levels, next, level + 1);
    }
    if (next < items.size() && levels[next] == level)
        Fail("the design has an item the page's list lacks");
}

void CompareSnippet(const std::string& snippet, const TAppletData& menu, const TItemArray& items,
                    const std::vector<int>& levels) {
    GumboOutput* output =
        gumbo_parse_with_options(&kGumboDefaultOptions, snippet.data(), snippet.size());
    const GumboNode* ul = FindById(output->root, menu.MenuName + "_ul");
    if (items.empty()) {
        if (ul)
            Fail("a design without items has a list");
    } else {
        if (!ul || ul->v.element.tag != GUMBO_TAG_UL)
            Fail("the page has no list " + menu.MenuName + "_ul");
        std::size_t next = 0;
        CompareList(ul, items, levels, next, 1);
        if (next != items.size())
            Fail("the page's list ends early");
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScriptChecker node;
    FuzzedDataProvider in(data, size);
    TkavoAppletAgent agent;
    agent.SetFolders({"/nonexistent/", "/nonexistent/"});
    PreorderTree tree;
    agent.AttachTree(&tree);
    agent.ResetToDefaults();
    agent.MenuParameters = RandomMenu(in);
    std::vector<int> levels;
    agent.Items = RandomItems(in, levels);
    std::vector<std::string> captions;
    for (const TItemData& item : agent.Items)
        captions.push_back(std::string(Trim(item.Text)));
    tree.AppendNodes(levels, captions);

    if (const auto fault = FindDesignFault(agent.MenuParameters, agent.Items))
        Fail("a valid design was refused: " + fault->reason);
    const BuiltMenu built = BuildMenuInMemory(agent);

    const TAppletData& m = agent.MenuParameters;
    const std::string expected = "ok " + m.MenuName + "_ul," + m.Orientation + "," +
                                 m.ShowTooltips + "," + m.ShowShadow + "," + m.ClickToOpen + "," +
                                 m.DelayClose + "," + m.BlinkTimes;
    const std::string answer = node.Check(built.script);
    if (answer != expected)
        Fail("the script gave '" + answer + "', not '" + expected + "':\n" + built.script);
    CompareSnippet(built.snippet, m, agent.Items, levels);
    return 0;
}
