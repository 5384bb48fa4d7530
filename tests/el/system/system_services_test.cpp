#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "os/path.h"
#include "os/sjis.h"
#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string& LastBox() { return headless::Boxes().back().text; }

class SystemServicesTest : public ElSystemTest {};

TEST_F(SystemServicesTest, WaitSlotIsOverFromItsDeadlineAndHugeWaitsSaturate) {
  headless::AdvanceMs(12345);
  ASSERT_EQ(elSystem::SetWait(1, 1000), 1u);
  headless::AdvanceMs(999);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);
  headless::AdvanceMs(1);
  EXPECT_EQ(elSystem::IsWaitOver(1), 1u);
  ASSERT_EQ(elSystem::InitWait(1), 1u);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);
  ASSERT_EQ(elSystem::SetWait(10, UINT32_MAX), 1u);
  EXPECT_EQ(elSystem::IsWaitOver(10), 0u);
  // Unset slots are never over however long the run.
  headless::AdvanceMs(WaitUnset - 999 - os::TimeMs());
  ASSERT_EQ(elSystem::SetWait(2, 999), 1u);  // lands exactly on the unset mark
  headless::AdvanceMs(999);
  EXPECT_EQ(elSystem::IsWaitOver(2), 0u);
  headless::AdvanceMs(1);
  EXPECT_EQ(elSystem::IsWaitOver(2), 1u);
  headless::AdvanceMs(3000000000u);
  EXPECT_EQ(elSystem::IsWaitOver(3), 0u);
}

TEST_F(SystemServicesTest, WaitSlotOutsideItsRangeIsAnError) {
  EXPECT_EQ(elSystem::SetWait(11, 10), 0u);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(LastBox(), "elSystem::SetWait : ウェイトNoが範囲外です");
  EXPECT_EQ(elSystem::InitWait(0), 0u);
  EXPECT_EQ(LastBox(), "elSystem::InitWait : ウェイトNoが範囲外です");
  EXPECT_EQ(elSystem::SetWait(-1, 10), 0u);
  for (uint32_t deadline : WaitDeadlines) EXPECT_EQ(deadline, WaitUnset);
  for (int slot : {0, 12, -1}) EXPECT_EQ(elSystem::IsWaitOver(slot), 0u);
}

TEST_F(SystemServicesTest, InitUnsetsSlotsEndsTextInputAndClips) {
  ScreenWidth = 800;
  ScreenHeight = 600;
  TextInputMode = 1;
  LastKey = 0x41;
  EXPECT_EQ(elSystem::Init(), 1u);
  for (uint32_t deadline : WaitDeadlines) EXPECT_EQ(deadline, WaitUnset);
  EXPECT_EQ(TextInputMode + LastKey, 0u);
  os::Rect clip;
  ASSERT_TRUE(os::CursorClip(&clip));
  EXPECT_EQ(clip.right, 800);
  EXPECT_EQ(elSystem::IsCursorClipped(), 1u);
}

TEST_F(SystemServicesTest, ErrorBoxBeepsShowsTheMessageAndGoesOn) {
  EXPECT_EQ(elSystem::ErrorBox("elDraw::Screen", "DirectDrawが使用できません", 0x887601C2), 0u);
  EXPECT_EQ(LastBox(), "elDraw::Screen : DirectDrawが使用できません");
  EXPECT_EQ(headless::Boxes()[0].title, "エラー発生");
  EXPECT_EQ(headless::Boxes()[0].flags, 0x1030u);
  EXPECT_EQ(elSystem::HasError(), 1u);
  // Long or missing texts are shown whole or as empty, never cut or crashed on.
  const std::string long_message(600, 'x');
  elSystem::ErrorBox("f", long_message.c_str());
  EXPECT_EQ(LastBox(), "f : " + long_message);
  elSystem::ErrorBox(nullptr, nullptr);
  EXPECT_EQ(LastBox(), " : ");
}

TEST_F(SystemServicesTest, MessageAndQuestionBoxesRestartTheFrameTime) {
  FrameTime = 0.05f;
  const std::string long_name(400, 'n');
  EXPECT_EQ(elSystem::Message("%s has %d lives", long_name.c_str(), 3), os::TimeMs());
  EXPECT_FLOAT_EQ(FrameTime, 0.0f);
  EXPECT_EQ(LastBox(), long_name + " has 3 lives\r\n");
  headless::QueueBoxAnswer(os::AnswerNo);
  EXPECT_EQ(elSystem::AskYesNo("続けますか？"), 0u);
}

std::vector<std::string> g_steps;
void RecordStep(const char* step) { g_steps.push_back(step); }

TEST_F(SystemServicesTest, RequestQuitReleasesInOrderOnce) {
  g_steps.clear();
  elSystem::QuitStepHook = RecordStep;
  os::LockResult result;
  InstanceMutex = os::CreateNamedLock("vantris-system-test:ElMutex", &result);
  EXPECT_EQ(elSystem::RequestQuit(), 1u);
  EXPECT_EQ(g_steps, (std::vector<std::string>{"elSystem::Release", "elDraw::FreeFonts",
                                                "elSound::Release", "elDraw::Shutdown",
                                                "InstanceMutex", "MsgClose"}));
  os::Message message;
  ASSERT_TRUE(os::PeekMessage(&message));
  os::ReleaseNamedLock(os::CreateNamedLock("vantris-system-test:ElMutex", &result));
  EXPECT_EQ(result, os::LockResult::Created);  // the lock is free again
  g_steps.clear();
  EXPECT_EQ(elSystem::RequestQuit(), 1u);
  EXPECT_TRUE(g_steps.empty());
  EXPECT_FALSE(os::PeekMessage(&message));
}

class FolderTest : public SystemServicesTest {
 protected:
  void SetUp() override {
    SystemServicesTest::SetUp();
    exe_dir_ = vantris_test::MakeTempDir("game");
    os::SetExeDir(exe_dir_);
  }
  void TearDown() override {
    os::SetExeDir("");
    SystemServicesTest::TearDown();
  }
  std::string exe_dir_;
};

TEST_F(FolderTest, NumberFilesRoundTripAndReadZeroWhenEmptyOrMissing) {
  elSystem::WriteNumberFile("hiscore.txt", -1234);
  EXPECT_EQ(ReadText(exe_dir_ + "hiscore.txt"), "-1234");
  EXPECT_EQ(elSystem::ReadNumberFile("hiscore.txt"), -1234);
  WriteText(exe_dir_ + "text.txt", "no number here");
  EXPECT_EQ(elSystem::ReadNumberFile("text.txt"), 0);
  EXPECT_EQ(elSystem::ReadNumberFile(nullptr), 0);
  BasePath = "/nonexistent-vantris-folder";  // unwritable: skipped silently
  elSystem::WriteNumberFile("x.txt", 1);
  EXPECT_EQ(elSystem::ReadNumberFile("x.txt"), 0);
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(SystemServicesTest, QueriesRefuseOutOfRangeInputAndSaturate) {
  EXPECT_EQ(elSystem::WeekdayText(6), os::Utf8ToSjis("土"));
  EXPECT_STREQ(elSystem::WeekdayText(-1), "");
  EXPECT_STREQ(elSystem::WeekdayText(7), "");
  EXPECT_EQ(elSystem::VersionNumber({1, 4, 10}), 980);
  EXPECT_EQ(elSystem::VersionNumber({2, 6, 1}), 6010);
  EXPECT_EQ(elSystem::VersionNumber({3, 1, 0}), -1);
  EXPECT_EQ(elSystem::GetDiskFree('1'), 0u);
}

class ScreenDepthTest : public FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    saved_bits_ = ScreenBits;
    FullScreen = 0;
    ScreenBits = 32;
  }
  void TearDown() override {
    ScreenBits = saved_bits_;
    FolderTest::TearDown();
  }
  int32_t saved_bits_ = 16;
};

TEST_F(ScreenDepthTest, ShallowDesktopAsksToSwitchToFullScreen) {
  ASSERT_LT(os::DesktopBits(), 32);
  headless::QueueBoxAnswer(os::AnswerYes);
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 1u);
  ASSERT_EQ(headless::Boxes().size(), 2u);
  EXPECT_EQ(headless::Boxes()[0].text,
            "　ウィンドウ状態で実行しようとしていますが、画面が65536色以下に設定されています。\n"
            "正しく動作させるには、1670万色以上に設定するか、フルスクリーンで実行させて下さい。\r\n");
  EXPECT_EQ(LastBox(), "フルスクリーンに設定し直しますか？\r\n");
  EXPECT_EQ(FullScreen, 1u);
  EXPECT_EQ(elSystem::ReadNumberFile("depth.txt"), 1);
}

TEST_F(ScreenDepthTest, NoOrNoQuestionQuits) {
  headless::QueueBoxAnswer(os::AnswerNo);
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 0u);
  EXPECT_EQ(QuitRequested, 1u);
}

}  // namespace
