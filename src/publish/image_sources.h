// Where a design's image is read from. A design received from someone else names
// its images; those names are never trusted to stay in the project's folder.
#pragma once

#include <string>

#include "model/applet_design.h"

namespace zarvex {

enum class ImageState {
    Found,       // path names a readable file
    Absent,      // no such file anywhere
    Outside,     // the name leads out of the project folder; nothing was read
    Unreadable,  // a file is there but cannot be read; reason holds the system's text
};

struct ImageSource {
    ImageState state = ImageState::Absent;
    std::string path;
    std::string reason;
};

enum class ImageSearch {
    Everywhere,   // the project's folder, then the staging, then the program's files
    ProjectOnly,  // only the project's folder
};

// Looks name up, in the order of search: the project's folder as it is now (an
// image edited while the design is open is taken as edited), an image the author
// picked into the staging, the program's default. A name that is absolute, holds a
// ".." part, or reaches through a link out of the project's real folder is
// Outside. A file that exists but cannot be read (no permission, a folder, a
// subfolder that is a file) is Unreadable, never Absent.
ImageSource FindImage(const AppletDesign& agent, const std::string& name,
                      ImageSearch search = ImageSearch::Everywhere);

}  // namespace zarvex
