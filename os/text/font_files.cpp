// Font files found by walking the font folders and asking FreeType about
// each, for where fontconfig has nothing to offer.
#include "os/text/font_files.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace os {
namespace {

namespace fs = std::filesystem;

// How far down a folder is walked, and how many entries of all the folders
// are looked at (the folder itself counts as one).
constexpr int kMostDepth = 8;
constexpr size_t kMostEntries = 20000;

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool IsFontFileName(const fs::path& path) {
  const std::string extension = Lower(path.extension().string());
  return extension == ".ttf" || extension == ".otf" || extension == ".ttc" ||
         extension == ".otc";
}

// The font files in a folder and below it, sorted by path, within `share`
// entries; counts the entries looked at into `searched`.
std::vector<std::string> FontFilesIn(size_t share, SearchedFolder* searched) {
  std::vector<std::string> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(
      searched->path, fs::directory_options::skip_permission_denied |
                          fs::directory_options::follow_directory_symlink, ec);
  searched->entries = 1;
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (searched->entries == share) {
      searched->whole = false;
      break;
    }
    ++searched->entries;
    if (it.depth() >= kMostDepth) it.disable_recursion_pending();
    std::error_code kind;
    if (IsFontFileName(it->path()) && it->is_regular_file(kind)) {
      files.push_back(it->path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// How well a face suits the box, 0 for not at all.
constexpr int kBest = 4 + 2 + 1;
int Suitability(FT_Face face) {
  if (!FT_IS_SCALABLE(face) || FT_Get_Char_Index(face, 'A') == 0) return 0;
  int score = 0;
  if (FT_Get_Char_Index(face, 0x3042) != 0 && FT_Get_Char_Index(face, 0x6F22) != 0) score += 4;
  const std::string family = Lower(face->family_name ? face->family_name : "");
  if (family.find("gothic") != std::string::npos || family.find("sans") != std::string::npos) {
    score += 2;
  }
  if ((face->style_flags & (FT_STYLE_FLAG_BOLD | FT_STYLE_FLAG_ITALIC)) == 0) score += 1;
  return score;
}

bool IsAbsolute(std::string_view folder) { return !folder.empty() && folder.front() == '/'; }

}  // namespace

std::vector<std::string> StandardFontFolders() {
  std::vector<std::string> folders;
  const char* home_var = std::getenv("HOME");
  const std::string home = home_var && home_var[0] == '/' ? home_var : "";
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home && IsAbsolute(data_home)) {
    folders.push_back(std::string(data_home) + "/fonts");
  } else if (!home.empty()) {
    folders.push_back(home + "/.local/share/fonts");
  }
  const char* data_dirs_var = std::getenv("XDG_DATA_DIRS");
  const std::string_view dirs = data_dirs_var ? data_dirs_var : "";
  std::vector<std::string> data_dirs;
  for (size_t start = 0; start <= dirs.size();) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string_view dir = dirs.substr(start, end - start);
    if (IsAbsolute(dir)) data_dirs.push_back(std::string(dir) + "/fonts");
    start = end + 1;
  }
  if (data_dirs.empty()) data_dirs = {"/usr/local/share/fonts", "/usr/share/fonts"};
  folders.insert(folders.end(), data_dirs.begin(), data_dirs.end());
  if (!home.empty()) folders.push_back(home + "/.fonts");
  return folders;
}

FontSearch FindFontFile(const std::vector<std::string>& folders) {
  FontSearch search;
  ResolvedFace& best = search.face;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return search;
  int best_score = 0;
  size_t left = kMostEntries;
  for (size_t i = 0; i < folders.size() && left > 0 && best_score < kBest; ++i) {
    // What the folders before this one left, shared with those after it.
    const size_t share = std::max<size_t>(left / (folders.size() - i), 1);
    SearchedFolder& searched = search.searched.emplace_back(SearchedFolder{folders[i]});
    for (const std::string& file : FontFilesIn(share, &searched)) {
      FT_Face face = nullptr;
      if (FT_New_Face(library, file.c_str(), 0, &face) != 0) continue;
      const int score = Suitability(face);
      if (score > best_score) {
        best_score = score;
        best.file = file;
        best.family = face->family_name ? face->family_name : "";
      }
      FT_Done_Face(face);
      if (best_score == kBest) break;
    }
    left -= searched.entries;
  }
  FT_Done_FreeType(library);
  return search;
}

}  // namespace os
