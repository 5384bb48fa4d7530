// The font files the message boxes find without fontconfig: which folders
// are searched, which face is taken, and that damaged files and looping
// folders are passed over.
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
  EnvVar home("HOME", "relative");
  EnvVar data_home("XDG_DATA_HOME", "/data/home");
  EnvVar data_dirs("XDG_DATA_DIRS", "/opt/share::here:/usr/share/:");
  EXPECT_EQ(os::StandardFontFolders(),
            (std::vector<std::string>{"/data/home/fonts", "/opt/share/fonts",
                                      "/usr/share//fonts"}));
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
  EXPECT_EQ(os::FindFontFile({root_ + "missing", root_ + "none"}).file, "");

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
    EXPECT_EQ(os::FindFontFile({root_ + "none", root_ + "latin"}).file, root_ + "latin/latin.ttf");
    EXPECT_EQ(os::FindFontFile({root_ + "latin", root_ + "serif"}).file,
              root_ + "serif/MINCHO.TTF");
  }
  const os::ResolvedFace found =
      os::FindFontFile({root_ + "none", root_ + "serif", root_ + "sans"});
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

}  // namespace
