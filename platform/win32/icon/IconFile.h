#pragma once

#include "window/IconPixels.h"

#include <string>
#include <vector>

namespace tovrin {

// The bytes of an .ico file holding the images in order, each as a
// 16-colour bitmap on the standard 16-colour palette with a transparency
// mask, as resource compilers and Windows read it.
std::string iconFile(const std::vector<IconImage>& images);

} // namespace tovrin
