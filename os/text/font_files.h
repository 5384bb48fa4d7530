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
// Relative folders in those variables are ignored, as the XDG rules say: a
// relative XDG_DATA_HOME, or an XDG_DATA_DIRS without an absolute folder,
// counts as unset.
std::vector<std::string> StandardFontFolders();

// A folder a search looked in.
struct SearchedFolder {
  std::string path;
  size_t entries = 0;  // the entries looked at in it and below it
  bool whole = true;   // false: its share of the entries ran out in it
};

// What a search of the font folders found, and where it looked: in folder
// order, up to the folder it found its face in.
struct FontSearch {
  ResolvedFace face;
  std::vector<SearchedFolder> searched;
};

// The face among the font files (.ttf, .otf, .ttc, .otc, in any case) in
// the folders and below them that suits a Japanese box best: one with kana
// and kanji before one with Latin letters only, a sans-serif ("Gothic",
// "Sans") before another, a regular style before a bold or italic one; of
// equals, the first in folder order and by path.  An empty `file` when
// FreeType reads none with a glyph for 'A'.  Folders that cannot be read
// are passed over, and the search stops at a bounded depth and number of
// entries, so that a huge or looping tree cannot hold it up: each folder
// has its turn, with a fair share of what the folders before it left.
FontSearch FindFontFile(const std::vector<std::string>& folders);

}  // namespace os
