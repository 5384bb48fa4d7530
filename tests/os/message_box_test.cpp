// The os layer's own message box, without a display: its layout, pixels and
// what keys and the pointer do; and what os::MessageBox does when the end is
// asked for while a box is up.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "os/headless/headless.h"
#include "os/message_box.h"
#include "os/system.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint32_t kErrorFlags = os::BoxSystemModal | os::BoxIconExclamation;
constexpr uint32_t kQuestionFlags = os::BoxYesNo | os::BoxIconQuestion;

class MessageBoxModel : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    const os::BoxFonts fonts = os::OpenBoxFonts(&why);
    font_ = fonts.text;
    mark_ = fonts.mark;
    ASSERT_TRUE(font_ && mark_) << why;
    ASSERT_FALSE(font_->Face().file.empty()) << "no Japanese font installed";
  }
  os::BoxModel Layout(const std::string& text, const std::string& detail, uint32_t flags,
                      os::BoxLimits limits = {}) {
    return os::LayoutBox(text, detail, flags, *font_, limits);
  }
  int Width(const std::u32string& line) {
    int w = 0;
    for (char32_t ch : line) w += font_->Advance(ch);
    return w;
  }
  static std::u32string Joined(const os::BoxModel& box, bool detail, const char32_t* between) {
    std::u32string out;
    for (const os::BoxLine& line : box.lines) {
      if (line.detail != detail) continue;
      if (!out.empty()) out += between;
      out += line.text;
    }
    return out;
  }
  // Pixels of colour `rgb` inside the rectangle.
  static int Count(const os::BoxModel& box, const os::Rect& r, uint32_t rgb) {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(box.height, r.bottom); ++y)
      for (int x = std::max(0, r.left); x < std::min(box.width, r.right); ++x)
        n += box.pixels[static_cast<size_t>(y * box.width + x)] == (0xFF000000u | rgb);
    return n;
  }
  std::shared_ptr<os::SizedFont> font_, mark_;
};

TEST_F(MessageBoxModel, AnErrorBoxShowsItsTextThenTheDetailLineAboveAnOkButton) {
  os::BoxModel box = Layout("elDraw::LoadObject : BMPファイルを読み込めません",
                            "/games/vantris/IMAGE/ZBAK1B.BMP: cut short", kErrorFlags);
  ASSERT_EQ(box.lines.size(), 2u);
  EXPECT_FALSE(box.lines[0].detail);
  EXPECT_EQ(box.lines[0].text, U"elDraw::LoadObject : BMPファイルを読み込めません");
  EXPECT_TRUE(box.lines[1].detail);
  EXPECT_EQ(box.lines[1].text, U"/games/vantris/IMAGE/ZBAK1B.BMP: cut short");
  EXPECT_GE(box.lines[1].y, box.lines[0].y + box.line_height);
  EXPECT_EQ(box.icon, os::BoxIcon::Exclamation);
  // Every line, the icon and the button lie inside the box; the button in
  // the strip under the text.
  for (const os::BoxLine& line : box.lines) {
    EXPECT_GE(line.x, box.icon_rect.right);
    EXPECT_LE(line.x + Width(line.text), box.width);
    EXPECT_LE(line.y + font_->Metrics().height, box.footer_top);
  }
  ASSERT_EQ(box.buttons.size(), 1u);
  EXPECT_EQ(box.buttons[0].label, "OK");
  EXPECT_GE(box.buttons[0].rect.top, box.footer_top);
  EXPECT_LE(box.buttons[0].rect.bottom, box.height);
  EXPECT_LE(box.buttons[0].rect.right, box.width);
  EXPECT_EQ(box.pixels.size(), static_cast<size_t>(box.width * box.height));
}

TEST_F(MessageBoxModel, LongLinesWrapWithinTheWidthAndLoseNothing) {
  const os::BoxLimits narrow{320, 480};
  // Japanese has no spaces: it breaks between characters.
  const std::u32string story =
      U"西暦二〇九九年、辺境の星系から未確認の艦隊が現れた。迎え撃つのは試作戦闘機ただ一機。";
  os::BoxModel box = Layout(
      "西暦二〇九九年、辺境の星系から未確認の艦隊が現れた。迎え撃つのは試作戦闘機ただ一機。",
      "", os::BoxIconExclamation, narrow);
  EXPECT_GT(box.lines.size(), 2u);
  EXPECT_LE(box.width, narrow.max_width);
  for (const os::BoxLine& line : box.lines) EXPECT_LE(line.x + Width(line.text), box.width - 16);
  EXPECT_EQ(Joined(box, false, U""), story);

  // Words break at their spaces; a path without any breaks anywhere.
  const std::string words =
      "the quick brown fox jumps over the lazy dog and keeps on running far away";
  const std::string path = "/home/player/games/vantris/a/very/long/folder/name/IMAGE/ZBAK1B.BMP";
  box = Layout(words, path, 0, narrow);
  std::u32string expected_words(words.begin(), words.end());
  EXPECT_EQ(Joined(box, false, U" "), expected_words);
  EXPECT_EQ(Joined(box, true, U""), std::u32string(path.begin(), path.end()));
  for (const os::BoxLine& line : box.lines) {
    EXPECT_LE(line.x + Width(line.text), box.width - 16);
    if (!line.detail) {
      EXPECT_NE(line.text.front(), U' ');
    }
  }
}

TEST_F(MessageBoxModel, APunctuationMarkThatDoesNotFitTakesTheCharacterBeforeIt) {
  // Room for fourteen characters beside the icon.
  const int wrap = 14 * font_->Advance(U'あ');
  const os::BoxLimits limits{16 + 32 + 12 + wrap + 16, 480};
  os::BoxModel box = Layout("ああああああああああああああ。い", "", kErrorFlags, limits);
  ASSERT_EQ(box.lines.size(), 2u);
  EXPECT_EQ(box.lines[0].text, U"あああああああああああああ");
  EXPECT_EQ(box.lines[1].text, U"あ。い");
  box = Layout("ああああああああああああああいう", "", kErrorFlags, limits);
  ASSERT_EQ(box.lines.size(), 2u);
  EXPECT_EQ(box.lines[1].text, U"いう");
}

TEST_F(MessageBoxModel, LineBreaksStayAndTrailingOnesGo) {
  os::BoxModel box = Layout("一行目\nsecond\r\n\r\n", "", 0);
  ASSERT_EQ(box.lines.size(), 2u);
  EXPECT_EQ(box.lines[0].text, U"一行目");
  EXPECT_EQ(box.lines[1].text, U"second");
  // An empty paragraph inside the text keeps its line; tabs become spaces.
  box = Layout("a\n\n\tb", "", 0);
  ASSERT_EQ(box.lines.size(), 3u);
  EXPECT_EQ(box.lines[1].text, U"");
  EXPECT_EQ(box.lines[2].text, U" b");
}

TEST_F(MessageBoxModel, TextTallerThanTheScreenIsCutWithAnEllipsisAndKeepsItsDetail) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "line " + std::to_string(i) + "\n";
  const os::BoxLimits limits{640, 300};
  os::BoxModel box = Layout(text, "the detail", kErrorFlags, limits);
  EXPECT_LE(box.height, limits.max_height);
  ASSERT_GE(box.lines.size(), 2u);
  EXPECT_EQ(box.lines.back().text, U"the detail");
  const os::BoxLine& last_text = box.lines[box.lines.size() - 2];
  EXPECT_FALSE(last_text.detail);
  EXPECT_EQ(last_text.text.back(), U'…');
  EXPECT_EQ(box.lines.front().text, U"line 0");
}

// Over many texts, details and limits, down to limits smaller than a
// button: the box and all it holds lie within the limits, the lines within
// the text area; where lines were cut, one more would not have fitted, the
// text and the detail share the lines fairly and each part that lost lines
// ends in "…".
TEST_F(MessageBoxModel, EveryLayoutFitsItsLimitsAndSharesTheLinesFairly) {
  auto numbered = [](const char* word, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += std::string(word) + std::to_string(i) + "\n";
    return out;
  };
  const int font_height = font_->Metrics().height;
  const std::vector<os::BoxLimits> grid = {
      {640, 480}, {1280, 1000}, {320, 240}, os::BoxLimitsFor({0, 0, 240, 200}),
      {208, 136}, {150, 100}, {100, 60}, {60, 30}, {20, 10}, {0, -5}};
  for (const os::BoxLimits& limits : grid) {
    for (int texts : {0, 1, 2, 3, 7, 20, 40, 400}) {
      for (int details : {0, 1, 2, 5, 20, 40, 400}) {
        for (uint32_t flags : {kErrorFlags, kQuestionFlags}) {
          SCOPED_TRACE(testing::Message() << limits.max_width << "x" << limits.max_height << ", "
                                          << texts << " + " << details << " lines, flags "
                                          << flags);
          const os::BoxModel box =
              Layout(numbered("text ", texts), numbered("detail ", details), flags, limits);
          ASSERT_GE(box.width, 1);
          ASSERT_GE(box.height, 1);
          ASSERT_LE(box.width, std::max(1, limits.max_width));
          ASSERT_LE(box.height, std::max(1, limits.max_height));
          EXPECT_EQ(box.pixels.size(), static_cast<size_t>(box.width * box.height));
          if (box.icon != os::BoxIcon::None) {
            EXPECT_GE(box.icon_rect.left, 0);
            EXPECT_GE(box.icon_rect.top, 0);
            EXPECT_LE(box.icon_rect.right, box.width);
            EXPECT_LE(box.icon_rect.bottom, box.footer_top);
          }
          EXPECT_GE(box.footer_top, 0);
          // (A box a pixel wide has room for one button only.)
          const bool room_for_buttons = box.width >= static_cast<int>(box.buttons.size());
          for (const os::BoxButton& button : box.buttons) {
            EXPECT_GE(button.rect.left, 0);
            EXPECT_TRUE(!room_for_buttons || button.rect.left < button.rect.right);
            EXPECT_LE(button.rect.right, box.width);
            EXPECT_GE(button.rect.top, box.footer_top);
            EXPECT_LT(button.rect.top, button.rect.bottom);
            EXPECT_LE(button.rect.bottom, box.height);
          }
          int kept_text = 0, kept_detail = 0;
          const os::BoxLine* last_text = nullptr;
          const os::BoxLine* last_detail = nullptr;
          for (const os::BoxLine& line : box.lines) {
            ASSERT_GE(line.x, 0);
            ASSERT_LE(line.x + Width(line.text), box.width);
            ASSERT_GE(line.y, 0);
            ASSERT_LE(line.y + font_height, box.footer_top);
            (line.detail ? kept_detail : kept_text) += 1;
            (line.detail ? last_detail : last_text) = &line;
          }
          const bool text_cut = kept_text < texts, detail_cut = kept_detail < details;
          // The last line of a part marked exactly where the part lost lines.
          if (last_text) {
            EXPECT_EQ(last_text->text.ends_with(U'…'), text_cut);
          }
          if (last_detail) {
            EXPECT_EQ(last_detail->text.ends_with(U'…'), detail_cut);
          }
          // The text keeps the odd line; the detail at most one fewer,
          // unless the single line that fits beside it fits twice without
          // the gap under the text.
          EXPECT_TRUE(!text_cut || kept_text >= kept_detail);
          EXPECT_TRUE(!detail_cut || kept_detail + 1 >= kept_text ||
                      (kept_detail == 0 && kept_text <= 2));
          // Lines were cut only for want of room: a box wide enough for
          // text would not have held one more line (and the gap under the
          // text).
          if ((text_cut || detail_cut) && limits.max_width >= 100) {
            EXPECT_GT(box.height + box.line_height + 8, limits.max_height);
          }
        }
      }
    }
  }
}

// The box lies on the screen's usable area, wherever the game window is
// and however small the screen: over the middle of the game window where
// that leaves it on the screen, else as near to it as the screen allows.
TEST(MessageBoxPlace, ABoxStaysOnTheScreenAndOverTheGameWindowWhereItCan) {
  const std::vector<os::Rect> screens = {
      {0, 0, 1024, 768}, {0, 0, 240, 200}, {1920, 0, 3200, 1024}, {0, 24, 800, 600}, {0, 0, 60, 40}};
  for (const os::Rect& screen : screens) {
    const os::BoxLimits limits = os::BoxLimitsFor(screen);
    EXPECT_LE(limits.max_width, screen.right - screen.left);
    EXPECT_LE(limits.max_height, screen.bottom - screen.top);
    EXPECT_GE(std::min(limits.max_width, limits.max_height), 1);
    const int sw = screen.right - screen.left, sh = screen.bottom - screen.top;
    const std::vector<os::Rect> owners = {
        {screen.left, screen.top, screen.left + 800, screen.top + 600},  // at the corner
        {screen.left - 280, screen.top - 200, screen.left + 520, screen.top + 400},
        {screen.right - 100, screen.bottom - 50, screen.right + 700, screen.bottom + 550},
        {screen.left + sw / 4, screen.top + sh / 4, screen.right - sw / 4, screen.bottom - sh / 4}};
    for (int w : {1, 100, 300, limits.max_width}) {
      for (int h : {1, 80, limits.max_height}) {
        if (w > limits.max_width || h > limits.max_height) continue;
        for (size_t o = 0; o <= owners.size(); ++o) {
          const os::Rect* owner = o < owners.size() ? &owners[o] : nullptr;
          SCOPED_TRACE(testing::Message() << "screen " << screen.left << "," << screen.top << " "
                                          << sw << "x" << sh << ", box " << w << "x" << h
                                          << ", owner " << o);
          const os::BoxPlace at = os::PlaceBox(w, h, owner, screen);
          EXPECT_GE(at.x, screen.left);
          EXPECT_GE(at.y, screen.top);
          EXPECT_LE(at.x + w, screen.right);
          EXPECT_LE(at.y + h, screen.bottom);
          // The middle of a window well inside the screen keeps the box.
          const os::Rect& over = owner ? *owner : screen;
          if (o >= 3 && sw >= 800) {
            EXPECT_EQ(at.x, over.left + (over.right - over.left - w) / 2);
            EXPECT_EQ(at.y, over.top + (over.bottom - over.top - h) / 2);
          }
        }
      }
    }
  }
  // Full size, the limits leave the box room for a frame on every side.
  const os::Rect screen{0, 0, 1024, 768};
  const os::BoxLimits limits = os::BoxLimitsFor(screen);
  EXPECT_EQ(limits.max_width, 640);
  EXPECT_EQ(limits.max_height, 704);
  const os::Rect corner{0, 0, 800, 600};
  const os::BoxPlace at = os::PlaceBox(640, 704, &corner, screen);
  EXPECT_EQ(at.y, 32);
  EXPECT_EQ(os::PlaceBox(300, 200, &corner, screen).x, 250);
}

TEST_F(MessageBoxModel, RenderingInksTheTextTheDetailTheIconAndTheFocusedButton) {
  os::BoxModel box = Layout("あいうえお", "detail", kErrorFlags);
  os::RenderBox(box, *font_, *mark_);
  const int h = font_->Metrics().height;
  const os::BoxLine& text = box.lines[0];
  const os::BoxLine& detail = box.lines[1];
  EXPECT_GT(Count(box, {text.x, text.y, box.width, text.y + h}, 0x000000), 50);
  EXPECT_GT(Count(box, {detail.x, detail.y, box.width, detail.y + h}, 0x404040), 20);
  EXPECT_GT(Count(box, box.icon_rect, 0xF0B400), 200);
  EXPECT_GT(Count(box, box.buttons[0].rect, 0x0078D7), 100);  // its focus border

  // The focus border follows the focus.
  box = Layout("質問", "", kQuestionFlags);
  EXPECT_EQ(box.icon, os::BoxIcon::Question);
  os::RenderBox(box, *font_, *mark_);
  EXPECT_GT(Count(box, box.buttons[0].rect, 0x0078D7), 100);
  EXPECT_EQ(Count(box, box.buttons[1].rect, 0x0078D7), 0);
  EXPECT_EQ(os::BoxKeyDown(box, os::KeyTab, false, false), os::BoxEvent::Redraw);
  os::RenderBox(box, *font_, *mark_);
  EXPECT_EQ(Count(box, box.buttons[0].rect, 0x0078D7), 0);
  EXPECT_GT(Count(box, box.buttons[1].rect, 0x0078D7), 100);
}

TEST_F(MessageBoxModel, EnterSpaceAndEscapeAnswerAnOkBoxWithOk) {
  for (int key : {os::KeyReturn, os::KeySpace, os::KeyEscape}) {
    os::BoxModel box = Layout("text", "", kErrorFlags);
    EXPECT_EQ(os::BoxKeyDown(box, os::KeyTab, false, false), os::BoxEvent::None);  // one button
    EXPECT_EQ(os::BoxKeyDown(box, 'A', false, false), os::BoxEvent::None);
    EXPECT_EQ(os::BoxKeyDown(box, key, false, false), os::BoxEvent::Answered) << key;
    EXPECT_EQ(box.answer, os::AnswerOk);
  }
}

TEST_F(MessageBoxModel, TheYesNoBoxAnswersItsFocusedButtonAndEscapeSaysNo) {
  auto answer = [&](std::initializer_list<int> moves, int key, bool shift = false) {
    os::BoxModel box = Layout("続けますか？", "", kQuestionFlags);
    EXPECT_EQ(box.buttons[0].label, "はい");
    EXPECT_EQ(box.buttons[1].label, "いいえ");
    for (int move : moves) os::BoxKeyDown(box, move, shift, false);
    EXPECT_EQ(os::BoxKeyDown(box, key, false, false), os::BoxEvent::Answered);
    return box.answer;
  };
  EXPECT_EQ(answer({}, os::KeyReturn), os::AnswerYes);  // the focus starts on the first
  EXPECT_EQ(answer({}, os::KeySpace), os::AnswerYes);
  EXPECT_EQ(answer({}, os::KeyEscape), os::AnswerNo);
  EXPECT_EQ(answer({os::KeyTab}, os::KeyReturn), os::AnswerNo);
  EXPECT_EQ(answer({os::KeyTab, os::KeyTab}, os::KeyReturn), os::AnswerYes);  // round again
  EXPECT_EQ(answer({os::KeyTab}, os::KeyReturn, true), os::AnswerNo);  // Shift+Tab goes back
  EXPECT_EQ(answer({os::KeyRight}, os::KeySpace), os::AnswerNo);
  EXPECT_EQ(answer({os::KeyRight, os::KeyLeft}, os::KeySpace), os::AnswerYes);
  EXPECT_EQ(answer({os::KeyLeft}, os::KeyReturn), os::AnswerNo);
  EXPECT_EQ(answer({os::KeyTab}, os::KeyEscape), os::AnswerNo);
}

TEST_F(MessageBoxModel, AKeyHeldWhenTheBoxOpenedOrRepeatingDoesNotAnswer) {
  os::BoxModel box = Layout("text", "", kErrorFlags);
  box.held_keys = {os::KeyReturn};
  EXPECT_EQ(os::BoxKeyDown(box, os::KeyReturn, false, false), os::BoxEvent::None);
  EXPECT_EQ(os::BoxKeyDown(box, os::KeySpace, false, true), os::BoxEvent::None);
  EXPECT_EQ(os::BoxKeyDown(box, os::KeyEscape, false, true), os::BoxEvent::None);
  os::BoxKeyUp(box, os::KeyReturn);
  EXPECT_EQ(os::BoxKeyDown(box, os::KeyReturn, false, false), os::BoxEvent::Answered);
}

TEST_F(MessageBoxModel, AClickAnswersWhenReleasedOnTheButtonItPressed) {
  os::BoxModel box = Layout("続けますか？", "", kQuestionFlags);
  const os::Rect no = box.buttons[1].rect;
  const os::Rect yes = box.buttons[0].rect;
  EXPECT_EQ(os::BoxPointerDown(box, 2, 2), os::BoxEvent::None);  // not on a button
  EXPECT_EQ(os::BoxPointerUp(box, no.left + 2, no.top + 2), os::BoxEvent::None);

  // Pressed on No, dragged off and released elsewhere: no answer.
  EXPECT_EQ(os::BoxPointerDown(box, no.left + 2, no.top + 2), os::BoxEvent::Redraw);
  EXPECT_EQ(box.focus, 1);
  EXPECT_EQ(os::BoxPointerMove(box, yes.left + 2, yes.top + 2), os::BoxEvent::Redraw);
  EXPECT_FALSE(box.pointer_over_pressed);
  EXPECT_EQ(os::BoxPointerUp(box, yes.left + 2, yes.top + 2), os::BoxEvent::Redraw);
  EXPECT_EQ(box.pressed, -1);

  EXPECT_EQ(os::BoxPointerDown(box, no.right - 1, no.bottom - 1), os::BoxEvent::Redraw);
  EXPECT_EQ(os::BoxPointerUp(box, no.left, no.top), os::BoxEvent::Answered);
  EXPECT_EQ(box.answer, os::AnswerNo);

  box = Layout("text", "", kErrorFlags);
  const os::Rect ok = box.buttons[0].rect;
  os::BoxPointerDown(box, ok.left + 5, ok.top + 5);
  EXPECT_EQ(os::BoxPointerUp(box, ok.left + 6, ok.top + 6), os::BoxEvent::Answered);
  EXPECT_EQ(box.answer, os::AnswerOk);
}

TEST(MessageBoxText, Utf8DecodesAndBrokenBytesBecomeReplacements) {
  EXPECT_EQ(os::DecodeUtf8("Aé発😀"), U"Aé発😀");
  EXPECT_EQ(os::DecodeUtf8("a\xFF" "b"), U"a\uFFFDb");
  EXPECT_EQ(os::DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");       // no overlong forms
  EXPECT_EQ(os::DecodeUtf8("\xED\xA0\x80x"), U"\uFFFDx");       // no surrogates
  EXPECT_EQ(os::DecodeUtf8("\xE7\x99"), U"\uFFFD");             // cut short at the end
  EXPECT_EQ(os::DecodeUtf8("\xE7" "A"), U"\uFFFDA");            // cut short by a plain byte
}

// The end asked for while a box is up: the box ends with its default answer,
// the window's close is queued once, and later boxes are printed but not
// shown.
using MessageBoxEnd = vantris_test::HeadlessTest;

TEST_F(MessageBoxEnd, AnEndAskedForInABoxQueuesTheCloseAndNoFurtherBoxShows) {
  os::headless::SetQuiet(false);
  const os::Window w = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600,
                                            &os::DefaultWindowProc);
  os::headless::ClearBoxes();
  os::headless::EndInNextBox();
  vantris_test::StderrCapture capture;
  EXPECT_EQ(os::MessageBox(w, "A : first", "T", os::BoxYesNo, "one"), os::AnswerNo);
  os::headless::QueueBoxAnswer(os::AnswerYes);
  EXPECT_EQ(os::MessageBox(w, "B : second", "T", os::BoxYesNo, "two"), os::AnswerNo);
  EXPECT_EQ(os::MessageBox(w, "C : third", "T", os::BoxOk), os::AnswerOk);
  const std::string said = capture.Finish();
  EXPECT_EQ(said, "[T] A : first (one)\n[T] B : second (two)\n[T] C : third\n");
  ASSERT_EQ(os::headless::Boxes().size(), 1u);
  EXPECT_EQ(os::headless::Boxes()[0].detail, "one");
  os::Message m;
  ASSERT_TRUE(os::PeekMessage(&m));
  EXPECT_EQ(m.msg, os::MsgClose);
  EXPECT_EQ(m.window, w);
  EXPECT_FALSE(os::PeekMessage(&m));

  // A new start shows boxes again.
  os::headless::SetQuiet(true);
  os::StartOptions options;
  ASSERT_TRUE(os::Start(options));
  os::MessageBox(0, "D", "T", os::BoxOk);
  EXPECT_EQ(os::headless::Boxes().size(), 1u);
}

}  // namespace
