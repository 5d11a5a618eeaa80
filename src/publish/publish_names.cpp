#include "publish/publish_names.h"

namespace zarvex {

std::string ProjectFileName(std::string_view fileName) {
    if (fileName.find('.') != std::string_view::npos)
        return std::string(fileName);
    return std::string(fileName) + ".zarvex";
}

std::string PublishBaseName(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.rfind('.')));
}

std::string AsFolderPrefix(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return folder;
}

bool StaysInsideFolder(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\')
        return false;
    if (name.size() >= 2 && name[1] == ':')
        return false;  // a drive letter
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = name.size();
        if (name.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace zarvex
