// Font files found by walking the font folders and asking FreeType about
// each, for where fontconfig has nothing to offer.
#include "os/text/font_files.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace os {
namespace {

namespace fs = std::filesystem;

// How far down a folder is walked, and how many entries of all the folders
// are looked at.
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

// The font files in a folder and below it, sorted by path; `budget` counts
// down the entries looked at.
std::vector<std::string> FontFilesIn(const std::string& folder, size_t* budget) {
  std::vector<std::string> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(
      folder, fs::directory_options::skip_permission_denied |
                  fs::directory_options::follow_directory_symlink, ec);
  for (; !ec && it != fs::recursive_directory_iterator() && *budget > 0; it.increment(ec)) {
    --*budget;
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

// A folder named by an XDG variable, when it is absolute.
void AddAbsolute(std::vector<std::string>* folders, const std::string& folder) {
  if (!folder.empty() && folder.front() == '/') folders->push_back(folder + "/fonts");
}

}  // namespace

std::vector<std::string> StandardFontFolders() {
  std::vector<std::string> folders;
  const char* home_var = std::getenv("HOME");
  const std::string home = home_var && home_var[0] == '/' ? home_var : "";
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home && *data_home) {
    AddAbsolute(&folders, data_home);
  } else if (!home.empty()) {
    folders.push_back(home + "/.local/share/fonts");
  }
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  const std::string dirs = data_dirs && *data_dirs ? data_dirs : "/usr/local/share:/usr/share";
  for (size_t start = 0; start <= dirs.size();) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    AddAbsolute(&folders, dirs.substr(start, end - start));
    start = end + 1;
  }
  if (!home.empty()) folders.push_back(home + "/.fonts");
  return folders;
}

ResolvedFace FindFontFile(const std::vector<std::string>& folders) {
  ResolvedFace best;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return best;
  int best_score = 0;
  size_t budget = kMostEntries;
  for (const std::string& folder : folders) {
    for (const std::string& file : FontFilesIn(folder, &budget)) {
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
    if (best_score == kBest) break;
  }
  FT_Done_FreeType(library);
  return best;
}

}  // namespace os
