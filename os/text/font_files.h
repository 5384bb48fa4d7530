// Font files found without fontconfig: for the message boxes, which must
// write their text even where fontconfig has no font at all (a configuration
// without font folders).  The game's own text keeps to fontconfig's faces.
#pragma once
#include <string>
#include <vector>

#include "os/text/fonts.h"

namespace os {

// The folders fonts are installed in, in the order they are searched:
// $XDG_DATA_HOME/fonts (~/.local/share/fonts), the fonts folder of each of
// $XDG_DATA_DIRS (/usr/local/share/fonts, /usr/share/fonts), ~/.fonts.
// Relative folders in those variables are left out, as the XDG rules say.
std::vector<std::string> StandardFontFolders();

// The face among the font files (.ttf, .otf, .ttc, .otc, in any case) in
// the folders and below them that suits a Japanese box best: one with kana
// and kanji before one with Latin letters only, a sans-serif ("Gothic",
// "Sans") before another, a regular style before a bold or italic one; of
// equals, the first in folder order and by path.  An empty `file` when
// FreeType reads none with a glyph for 'A'.  Folders that cannot be read
// are passed over, and the search stops at a bounded depth and number of
// entries, so that a huge or looping tree cannot hold it up.
ResolvedFace FindFontFile(const std::vector<std::string>& folders);

}  // namespace os
