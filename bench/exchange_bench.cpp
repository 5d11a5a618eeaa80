// Budgets of the importers: a 5 MB page with 10,000 navigation links in 200 ms; a
// sitemap of 50,000 addresses in 300 ms. The inputs are made here, shaped like a
// large site's: a nested navigation among paragraphs of body text.
#include <benchmark/benchmark.h>

#include <string>

#include "exchange/gumbo_document.h"
#include "exchange/html_import.h"
#include "exchange/sitemap_import.h"

namespace {

std::string LargePage() {
    std::string page = "<!DOCTYPE html><html><head><title>Big</title></head><body><nav><ul>\n";
    for (int section = 0; section < 100; ++section) {
        page += "<li><a href=\"/s" + std::to_string(section) + "/\">Section " +
                std::to_string(section) + "</a><ul>\n";
        for (int page_ = 0; page_ < 99; ++page_)
            page += "  <li class=\"menu-item\"><a href=\"/s" + std::to_string(section) + "/p" +
                    std::to_string(page_) + ".html\" title=\"Page " + std::to_string(page_) +
                    "\">Page &amp; " + std::to_string(page_) + "</a></li>\n";
        page += "</ul></li>\n";
    }
    page += "</ul></nav><main>\n";
    const std::string paragraph =
        "<p>Lorem ipsum dolor sit amet, <em>consectetur</em> adipiscing elit, sed do eiusmod "
        "tempor incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam.</p>\n";
    while (page.size() < (std::size_t{5} << 20))
        page += paragraph;
    return page + "</main></body></html>\n";
}

std::string LargeSitemap() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
    for (int i = 0; i < 50000; ++i)
        xml += "  <url><loc>https://www.example.com/section-" + std::to_string(i / 1000) +
               "/topic-" + std::to_string(i / 50 % 20) + "/article-" + std::to_string(i) +
               ".html</loc><lastmod>2024-01-01</lastmod></url>\n";
    return xml + "</urlset>\n";
}

void BM_ImportPageWith10000Links(benchmark::State& state) {
    const std::string page = LargePage();
    for (auto _ : state) {
        auto lists = zarvex::exchange::FindNavigationLists(page, "big.html");
        benchmark::DoNotOptimize(lists);
        if (lists.at(0).design.items.size() != 10000)
            state.SkipWithError("the page's links were not all found");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ImportPageWith10000Links)->Unit(benchmark::kMillisecond);

// The HTML5 parser's share of the import above: the same page parsed into a tree and
// nothing more. The import cannot be faster than this.
void BM_ParsePageWith10000LinksOnly(benchmark::State& state) {
    const std::string page = LargePage();
    for (auto _ : state) {
        zarvex::exchange::GumboDocument document(page);
        benchmark::DoNotOptimize(document.Root());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ParsePageWith10000LinksOnly)->Unit(benchmark::kMillisecond);

void BM_ImportSitemapWith50000Urls(benchmark::State& state) {
    const std::string xml = LargeSitemap();
    for (auto _ : state) {
        auto design = zarvex::exchange::ParseSitemapText(xml, "big.xml", 3);
        benchmark::DoNotOptimize(design);
    }
}
BENCHMARK(BM_ImportSitemapWith50000Urls)->Unit(benchmark::kMillisecond);

}  // namespace
