#pragma once
// Finding and loading the skin the viewer shows: a skin archive, a skin folder packed in memory as
// the skin packer would pack it, or the product skin linked into the program.
#include "ui/Classes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin {
class TSkinData;
}

namespace skinview {

// A skin that cannot be shown; the message says why, for the skin's author.
class ESkinLoadError : public ui::Exception {
public:
    using ui::Exception::Exception;
};

struct TViewerSkin {
    std::wstring Name;    // the definition's SkinName, else the file or folder name
    std::wstring Source;  // where it came from, as the user named it
};

// Loads the skin at `path` (empty: the linked product skin) into `data`, which is in its loading
// state as the form reader leaves it. Raises ESkinLoadError.
TViewerSkin LoadViewerSkin(skin::TSkinData& data, const std::wstring& path);

// A skin folder's .ini and .bmp files packed into a stored skin stream, in the packer's order: the
// definition first, then the rest by name. Raises ESkinLoadError.
std::vector<std::uint8_t> PackSkinFolder(const std::wstring& folder);

} // namespace skinview
