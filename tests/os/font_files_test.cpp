// The font files the message boxes find without fontconfig: which folders
// are searched, which face is taken, and that damaged files and looping
// folders are passed over.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "os/sjis.h"
#include "os/text/font_files.h"
#include "os/text/fonts.h"
#include "tests/support/test_support.h"

namespace {

// Sets (or, with no value, unsets) an environment variable for the test's
// life.
class EnvVar {
 public:
  EnvVar(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvVar() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  EnvVar(const EnvVar&) = delete;
  EnvVar& operator=(const EnvVar&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(FontFolders, TheXdgFoldersAndHomeInOrderRelativeOnesLeftOut) {
  {
    EnvVar home("HOME", "/home/player");
    EnvVar data_home("XDG_DATA_HOME", std::nullopt);
    EnvVar data_dirs("XDG_DATA_DIRS", std::nullopt);
    EXPECT_EQ(os::StandardFontFolders(),
              (std::vector<std::string>{"/home/player/.local/share/fonts",
                                        "/usr/local/share/fonts", "/usr/share/fonts",
                                        "/home/player/.fonts"}));
  }
  {
    EnvVar home("HOME", "relative");
    EnvVar data_home("XDG_DATA_HOME", "/data/home");
    EnvVar data_dirs("XDG_DATA_DIRS", "/opt/share::here:/usr/share/:");
    EXPECT_EQ(os::StandardFontFolders(),
              (std::vector<std::string>{"/data/home/fonts", "/opt/share/fonts",
                                        "/usr/share//fonts"}));
  }
  // A relative XDG_DATA_HOME, and an XDG_DATA_DIRS with no absolute folder,
  // count as unset.
  EnvVar home("HOME", "/home/player");
  EnvVar data_home("XDG_DATA_HOME", "data/home");
  EnvVar data_dirs("XDG_DATA_DIRS", "share:./usr/share:");
  EXPECT_EQ(os::StandardFontFolders(),
            (std::vector<std::string>{"/home/player/.local/share/fonts", "/usr/local/share/fonts",
                                      "/usr/share/fonts", "/home/player/.fonts"}));
}

class FontFileSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = vantris_test::MakeTempDir("font_files");
    gothic_ = os::ResolveFontFace(os::Utf8ToSjis("標準ゴシック"), 400, false, os::CharsetShiftJis).file;
    mincho_ = os::ResolveFontFace(os::Utf8ToSjis("標準明朝"), 400, false, os::CharsetShiftJis).file;
    ASSERT_FALSE(gothic_.empty() || mincho_.empty()) << "no Japanese fonts installed";
  }
  // A folder under the test's own, made with its parents.
  std::string Folder(const std::string& name) {
    const std::string path = root_ + name;
    std::filesystem::create_directories(path);
    return path;
  }
  void Link(const std::string& target, const std::string& path) {
    ASSERT_EQ(::symlink(target.c_str(), (root_ + path).c_str()), 0) << path;
  }
  void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(root_ + path, std::ios::binary) << bytes;
  }
  std::string root_, gothic_, mincho_;
};

TEST_F(FontFileSearch, AJapaneseSansFaceIsTakenBeforeASerifOrALatinOneAndDamagedFilesArePassed) {
  // Nothing usable: missing folders, damaged files, a folder that holds
  // itself, files of other kinds.
  Folder("none/deeper");
  Write("none/damaged.ttf", "not a font at all");
  Write("none/deeper/EMPTY.OTF", "");
  Write("none/notes.txt", "fonts go here");
  Link(root_ + "none", "none/deeper/loop");
  EXPECT_EQ(os::FindFontFile({root_ + "missing", root_ + "none"}).face.file, "");

  // A serif face with kana before a Latin face, a sans-serif before it;
  // upper-case endings count, and links to files too.
  Folder("serif");
  Link(mincho_, "serif/MINCHO.TTF");
  Folder("sans/sub");
  Link(gothic_, "sans/sub/gothic.ttf");
  const std::string latin =
      os::ResolveFontFace("DejaVu Sans", 400, false, os::CharsetAnsi).file;
  const bool has_latin = latin.find("DejaVuSans") != std::string::npos;
  if (has_latin) {
    Folder("latin");
    Link(latin, "latin/latin.ttf");
    EXPECT_EQ(os::FindFontFile({root_ + "none", root_ + "latin"}).face.file,
              root_ + "latin/latin.ttf");
    EXPECT_EQ(os::FindFontFile({root_ + "latin", root_ + "serif"}).face.file,
              root_ + "serif/MINCHO.TTF");
  }
  const os::ResolvedFace found =
      os::FindFontFile({root_ + "none", root_ + "serif", root_ + "sans"}).face;
  EXPECT_EQ(found.file, root_ + "sans/sub/gothic.ttf");
  EXPECT_EQ(found.family, "IPAGothic");

  // The face opens at the boxes' sizes, the bold one simulated.
  const auto text = os::OpenFontFile(found, 16, os::FontWeightNormal);
  const auto mark = os::OpenFontFile(found, 24, os::FontWeightBold);
  EXPECT_EQ(text->Metrics().height, 16);
  EXPECT_GT(text->Glyph(U'あ').width, 0);
  EXPECT_TRUE(mark->Face().synthetic_bold);
  EXPECT_GT(mark->Glyph(U'!').width, 0);
  if (!has_latin) GTEST_SKIP() << "no DejaVu Sans for a face with Latin letters only";
}

// A folder crowded with files before the one with the font: each folder has
// its turn with its share of the entries, and what a search names is where
// it looked, the crowded folder as cut short.
TEST_F(FontFileSearch, EveryFolderHasItsTurnAndOnlyTheFoldersSearchedAreNamed) {
  const std::string crowded = Folder("crowded/fonts");
  for (int i = 0; i < 25000; ++i) {
    const std::string name = crowded + "/plain" + std::to_string(i);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << name;
    ::close(fd);
  }
  Folder("sans");
  Link(gothic_, "sans/gothic.ttf");
  Folder("empty");
  const os::FontSearch found = os::FindFontFile(
      {crowded, root_ + "missing", root_ + "sans", root_ + "empty", root_ + "latin"});
  EXPECT_EQ(found.face.file, root_ + "sans/gothic.ttf");
  ASSERT_EQ(found.searched.size(), 3u);
  EXPECT_EQ(found.searched[0].path, crowded);
  EXPECT_FALSE(found.searched[0].whole);
  EXPECT_EQ(found.searched[0].entries, 20000u / 5);
  EXPECT_EQ(found.searched[1].path, root_ + "missing");
  EXPECT_TRUE(found.searched[1].whole);
  EXPECT_EQ(found.searched[2].path, root_ + "sans");
  EXPECT_TRUE(found.searched[2].whole);

  // Nothing found: every folder searched, the crowded one in part.
  const os::FontSearch none = os::FindFontFile({crowded, root_ + "empty"});
  EXPECT_EQ(none.face.file, "");
  ASSERT_EQ(none.searched.size(), 2u);
  EXPECT_EQ(none.searched[0].entries, 20000u / 2);
  EXPECT_FALSE(none.searched[0].whole);
  EXPECT_EQ(none.searched[1].path, root_ + "empty");
  EXPECT_EQ(none.searched[1].entries, 1u);
  EXPECT_TRUE(none.searched[1].whole);
}

}  // namespace
