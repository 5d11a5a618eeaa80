#include "settings/help_pages.h"

namespace zarvex::settings {

const char* HelpPageForTag(int tag) {
    for (const ContextHelpPage& page : kContextHelpPages)
        if (page.tag == tag)
            return page.file;
    return kGettingStartedPage;
}

std::vector<std::string> RequiredHelpPages() {
    std::vector<std::string> pages = {kHelpIndexPage, kGettingStartedPage};
    for (const ContextHelpPage& page : kContextHelpPages)
        pages.emplace_back(page.file);
    return pages;
}

}  // namespace zarvex::settings
