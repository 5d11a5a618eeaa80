#include "publish/program_files.h"

#include "publish/file_ops.h"

namespace zarvex {

std::string ProgramFilePath(const AppFolders& folders, const std::string& name) {
    std::string scratch = folders.programFolder + name;
    if (IsExistingFile(scratch))
        return scratch;
    std::string shipped = folders.dataFolder + name;
    if (folders.dataFolder != folders.programFolder && IsExistingFile(shipped))
        return shipped;
    return scratch;
}

}  // namespace zarvex
