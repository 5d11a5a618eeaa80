// A project file that a save stopped part-way (a kill, a crash) left cut short: the
// complete text that save was writing, where one survives.
#pragma once

#include <string>

namespace zarvex {

// The newest copy of a complete text for the project file at path that a killed
// writer left (beside the file, or kept in the state folder; model/safe_file.h) and
// that the project reader accepts whole; empty when there is none.
std::string CompleteCopyOfStoppedSave(const std::string& path);

}  // namespace zarvex
