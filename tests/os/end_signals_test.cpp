// SIGTERM and SIGINT: each case runs in a process of its own (the handlers,
// the alarm and the signal's end are the whole process's), all at once.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "os/backend.h"
#include "os/headless/headless.h"
#include "os/system.h"
#include "tests/support/test_support.h"

namespace {

using EndSignalsTest = vantris_test::HeadlessTest;

int64_t Proc(os::Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  return os::DefaultWindowProc(window, msg, wparam, lparam);
}

// The close messages the next few pumps give.
int CloseMessages() {
  int closes = 0;
  os::Message message;
  for (int i = 0; i < 4; ++i) {
    if (os::PeekMessage(&message) && message.msg == os::MsgClose) ++closes;
  }
  return closes;
}

void Say(const char* text) { os::SayText(text); }

struct Case {
  const char* name;
  int (*run)();
  int signal;  // the signal the process must die of, 0 for an exit
  int status;  // the exit status otherwise
  const char* said;
};

const Case kCases[] = {
    {"starting",
     [] {
       os::CatchEndSignals();
       raise(SIGTERM);
       return 0;
     },
     SIGTERM, 0, "vantris: ended by SIGTERM while starting\n"},
    // A signal the program was started with ignored stays ignored.
    {"ignored",
     [] {
       signal(SIGINT, SIG_IGN);
       os::CatchEndSignals();
       raise(SIGINT);
       return 7;
     },
     0, 7, ""},
    // Taken by the loop: one close; a second signal ends it at once.
    {"loop",
     [] {
       os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, Proc);
       os::CatchEndSignals();
       os::LoopTakesEndSignals(true);
       raise(SIGINT);
       if (CloseMessages() != 1) return 1;
       Say("closed\n");
       raise(SIGTERM);
       return 0;
     },
     SIGTERM, 0, "closed\nvantris: ended by SIGTERM, the second signal to end it\n"},
    // Taken before a box: the box ends before it shows, as does every later
    // one, and the close comes once.
    {"box",
     [] {
       os::headless::SetQuiet(true);
       const os::Window window =
           os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, Proc);
       os::CatchEndSignals();
       os::LoopTakesEndSignals(true);
       raise(SIGTERM);
       if (os::MessageBox(window, "?", "t", os::BoxYesNo) != os::AnswerNo) return 1;
       if (os::MessageBox(window, "!", "t", os::BoxOk) != os::AnswerOk) return 2;
       if (!os::headless::Boxes().empty()) return 3;
       return CloseMessages() == 1 ? 0 : 4;
     },
     0, 0, ""},
    {"ending",
     [] {
       os::CatchEndSignals();
       os::LoopTakesEndSignals(true);
       os::LoopTakesEndSignals(false);
       raise(SIGINT);
       return 0;
     },
     SIGINT, 0, "vantris: ended by SIGINT while ending\n"},
    // Taken by the loop, which never ends the program: the alarm does.
    {"stuck",
     [] {
       os::CatchEndSignals(1);
       os::LoopTakesEndSignals(true);
       raise(SIGTERM);
       sleep(10);
       return 0;
     },
     SIGTERM, 0, "vantris: ended by SIGTERM: the game had not ended after 1 s\n"},
    // Taken by a box while starting: the time given begins with the loop.
    {"stuck_after_start",
     [] {
       os::CatchEndSignals(1);
       {
         os::BoxTakesEndSignals box;
         raise(SIGINT);
       }
       usleep(1500000);
       Say("started\n");
       os::LoopTakesEndSignals(true);
       sleep(10);
       return 0;
     },
     SIGINT, 0, "started\nvantris: ended by SIGINT: the game had not ended after 1 s\n"},
};

TEST_F(EndSignalsTest, EndAtOnceOutsideTheLoopCloseTheWindowInItAndNeverHang) {
  struct Child {
    pid_t pid;
    int said;
  };
  std::vector<Child> children;
  for (const Case& c : kCases) {
    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(pipe_fds[0]);
      dup2(pipe_fds[1], 2);
      _exit(c.run());
    }
    close(pipe_fds[1]);
    children.push_back({pid, pipe_fds[0]});
  }
  for (size_t i = 0; i < children.size(); ++i) {
    const Case& c = kCases[i];
    int status = 0;
    ASSERT_EQ(waitpid(children[i].pid, &status, 0), children[i].pid);
    std::string said;
    char buffer[256];
    for (ssize_t n; (n = read(children[i].said, buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    close(children[i].said);
    if (c.signal != 0) {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal)
          << c.name << ": status " << status;
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.status)
          << c.name << ": status " << status;
    }
    EXPECT_EQ(said, c.said) << c.name;
  }
}

}  // namespace
