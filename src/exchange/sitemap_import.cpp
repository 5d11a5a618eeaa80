#include "exchange/sitemap_import.h"

#include <uriparser/Uri.h>
#include <pugixml.hpp>

#include <filesystem>
#include <unordered_map>

#include "model/errors.h"
#include "model/file_helpers.h"
#include "model/text_util.h"

namespace zarvex::exchange {

namespace {

struct Address {
    std::string url;
    int line;
};

std::string_view LocalName(const char* name) {
    const std::string_view n(name);
    const std::size_t colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

pugi::xml_node ChildNamed(pugi::xml_node parent, std::string_view name) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && LocalName(c.name()) == name)
            return c;
    return {};
}

// The <loc> texts of a sitemap or index in text; index tells which it was.
std::vector<Address> ReadLocations(std::string_view text, const std::string& path, bool& index) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
        throw FileFormatError(path, LineAt(text, static_cast<std::size_t>(parsed.offset)),
                              std::string("not well-formed XML: ") + parsed.description());
    const pugi::xml_node root = doc.document_element();
    const std::string_view rootName = LocalName(root.name());
    index = rootName == "sitemapindex";
    if (!index && rootName != "urlset")
        throw FileFormatError(path, LineAt(text, static_cast<std::size_t>(root.offset_debug())),
                              "not a sitemap: expected <urlset> or <sitemapindex>, found <" +
                                  std::string(root.name()) + ">");
    const std::string_view entryName = index ? "sitemap" : "url";
    std::vector<Address> addresses;
    // Entries come in document order, so their lines are counted on from the last one.
    std::size_t countedTo = 0;
    int countedLine = 1;
    const auto lineOf = [&](pugi::xml_node node) {
        const auto offset = std::min(static_cast<std::size_t>(node.offset_debug()), text.size());
        if (offset < countedTo) {
            countedTo = 0;
            countedLine = 1;
        }
        for (; countedTo < offset; ++countedTo)
            countedLine += text[countedTo] == '\n';
        return countedLine;
    };
    for (pugi::xml_node entry = root.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() != pugi::node_element || LocalName(entry.name()) != entryName)
            continue;
        const int line = lineOf(entry);
        const pugi::xml_node loc = ChildNamed(entry, "loc");
        const std::string url(Trim(loc.child_value()));
        if (url.empty())
            throw FileFormatError(path, line,
                                  "<" + std::string(entryName) + "> without an address in <loc>");
        addresses.push_back({url, line});
    }
    return addresses;
}

// The path segments of url; false when it is no URI.
bool PathSegments(const std::string& url, std::vector<std::string>& segments) {
    UriUriA uri{};
    const char* error = nullptr;
    if (uriParseSingleUriA(&uri, url.c_str(), &error) != URI_SUCCESS)
        return false;
    segments.clear();
    for (const UriPathSegmentA* s = uri.pathHead; s; s = s->next)
        if (s->text.afterLast > s->text.first)
            segments.emplace_back(s->text.first, s->text.afterLast);
    uriFreeUriMembersA(&uri);
    if (!segments.empty()) {
        const std::string last = AsciiLower(segments.back());
        if (last == "index.html" || last == "index.htm" || last == "index.php")
            segments.pop_back();
    }
    return true;
}

struct Node {
    TItemData item;
    int line = 0;
    std::vector<int> children;
};

ImportedDesign BuildTree(const std::vector<std::pair<std::string, Address>>& addresses,
                         const std::string& path, int maxDepth) {
    std::vector<Node> nodes(1);  // nodes[0] stands for the menu itself
    std::unordered_map<std::string, int> byPath;
    std::vector<std::string> segments;
    std::size_t tooDeep = 0;
    DesignBuilder builder(path);
    for (const auto& [file, address] : addresses) {
        if (!PathSegments(address.url, segments))
            throw FileFormatError(file, address.line, "'" + address.url + "' is not a web address");
        if (static_cast<int>(segments.size()) > maxDepth) {
            ++tooDeep;
            continue;
        }
        int parent = 0;
        std::string key;
        // The home page is an item of its own, at the top.
        const std::size_t steps = segments.empty() ? 1 : segments.size();
        for (std::size_t i = 0; i < steps; ++i) {
            key += '/';
            if (!segments.empty())
                key += segments[i];
            auto [it, added] = byPath.try_emplace(key, static_cast<int>(nodes.size()));
            if (added) {
                Node node;
                node.item = NewItemRecord();
                node.item.Text = segments.empty() ? "Home" : ReadableSegment(segments[i]);
                node.item.Link = "";
                node.line = address.line;
                nodes[static_cast<std::size_t>(parent)].children.push_back(it->second);
                nodes.push_back(std::move(node));
            }
            parent = it->second;
        }
        Node& node = nodes[static_cast<std::size_t>(parent)];
        if (node.item.Link.empty())
            node.item.Link = address.url;
    }
    if (tooDeep)
        builder.Warn(path + ": " + std::to_string(tooDeep) +
                     (tooDeep == 1 ? " address lies" : " addresses lie") + " deeper than " +
                     std::to_string(maxDepth) + " levels and " + (tooDeep == 1 ? "was" : "were") +
                     " left out");
    std::vector<std::pair<int, std::size_t>> stack{{0, 0}};
    while (!stack.empty()) {
        auto& [at, next] = stack.back();
        const Node& node = nodes[static_cast<std::size_t>(at)];
        if (next >= node.children.size()) {
            stack.pop_back();
            continue;
        }
        const int child = node.children[next++];
        Node& c = nodes[static_cast<std::size_t>(child)];
        builder.Add(static_cast<int>(stack.size()), std::move(c.item), c.line,
                    "line " + std::to_string(c.line));
        stack.emplace_back(child, 0);
    }
    if (builder.Count() == 0)
        throw FileFormatError(path, 0, "the sitemap lists no address to import");
    return builder.Take();
}

void CheckDepth(int maxDepth) {
    if (maxDepth < 1 || maxDepth > kMaxImportLevel)
        throw std::invalid_argument("the depth limit must lie between 1 and " +
                                    std::to_string(kMaxImportLevel));
}

}  // namespace

std::string ReadableSegment(std::string_view segment) {
    std::string decoded;
    for (std::size_t i = 0; i < segment.size(); ++i) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9'   ? c - '0'
                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                   : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
        };
        if (segment[i] == '%' && i + 2 < segment.size() && hex(segment[i + 1]) >= 0 &&
            hex(segment[i + 2]) >= 0) {
            decoded += static_cast<char>(hex(segment[i + 1]) * 16 + hex(segment[i + 2]));
            i += 2;
        } else {
            decoded += segment[i];
        }
    }
    for (const char* extension : {".html", ".htm", ".php", ".aspx", ".asp", ".shtml", ".jsp"}) {
        const std::string_view e(extension);
        if (decoded.size() > e.size() &&
            AsciiLower(std::string_view(decoded).substr(decoded.size() - e.size())) == e) {
            decoded.resize(decoded.size() - e.size());
            break;
        }
    }
    std::string out;
    for (char c : decoded) {
        if (c == '-' || c == '_' || c == '+' || c == ' ') {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    if (out.empty())
        return std::string(segment);
    if (out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

ImportedDesign ParseSitemapText(std::string_view text, const std::string& path, int maxDepth) {
    CheckDepth(maxDepth);
    bool index = false;
    std::vector<std::pair<std::string, Address>> addresses;
    for (Address& a : ReadLocations(text, path, index))
        addresses.emplace_back(path, std::move(a));
    if (index)
        throw FileFormatError(path, 0,
                              "a sitemap index is read from its file, beside its sitemaps");
    return BuildTree(addresses, path, maxDepth);
}

ImportedDesign ImportSitemapFile(const std::string& path, int maxDepth) {
    CheckDepth(maxDepth);
    const std::string text = ReadImportFile(path);
    bool index = false;
    std::vector<Address> found = ReadLocations(text, path, index);
    std::vector<std::pair<std::string, Address>> addresses;
    if (!index) {
        for (Address& a : found)
            addresses.emplace_back(path, std::move(a));
        return BuildTree(addresses, path, maxDepth);
    }
    std::size_t total = text.size();
    for (const Address& sitemap : found) {
        std::vector<std::string> segments;
        const std::string name = PathSegments(sitemap.url, segments) && !segments.empty()
                                     ? segments.back()
                                     : BareFileName(sitemap.url);
        const std::string file = FolderOfPath(path) + name;
        if (name.empty() || name == "." || name == ".." || !std::filesystem::is_regular_file(file))
            throw FileFormatError(path, sitemap.line,
                                  "the sitemap '" + name + "' it names is not beside the index");
        if (name.size() > 3 && AsciiLower(name.substr(name.size() - 3)) == ".gz")
            throw FileFormatError(path, sitemap.line,
                                  "'" + name + "' is compressed; unpack it beside the index first");
        const std::string part = ReadImportFile(file);
        total += part.size();
        if (total > kMaxImportBytes)
            throw FileFormatError(path, sitemap.line,
                                  "the sitemaps together are larger than " +
                                      std::to_string(kMaxImportBytes >> 20) + " MB");
        bool nested = false;
        std::vector<Address> more = ReadLocations(part, file, nested);
        if (nested)
            throw FileFormatError(file, 0, "a sitemap index may not name another index");
        for (Address& a : more)
            addresses.emplace_back(file, std::move(a));
    }
    return BuildTree(addresses, path, maxDepth);
}

}  // namespace zarvex::exchange
