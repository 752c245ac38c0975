// The name of a further picture beside a gallery PNG.
#pragma once

#include <string>

namespace kardo::test {

// ("/tmp/symbols.png", "_blocks") gives "/tmp/symbols_blocks.png".
inline std::string GalleryPath(std::string path, const char* suffix) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + suffix + ".png";
    return path.insert(dot, suffix);
}

} // namespace kardo::test
