// The native launcher started for real, with a real child that records what
// it received.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

class NativeRun : public ::testing::Test {
protected:
  void SetUp() override {
    char Tmpl[] = "/tmp/trelm-native-XXXXXX";
    Dir = mkdtemp(Tmpl);
    fs::copy_file(REC_CHILD, Dir / "prog.exe");
  }
  void TearDown() override { fs::remove_all(Dir); }

  // Starts the launcher in Dir with Args, in a process group of its own.
  pid_t Start(const std::vector<std::string>& Args, const std::vector<std::string>& ExtraEnv) {
    std::vector<std::string> Env = {"REC_OUT=" + (Dir / "received").string(), "PATH=/usr/bin"};
    Env.insert(Env.end(), ExtraEnv.begin(), ExtraEnv.end());
    std::vector<char*> Argv, Envp;
    std::vector<std::string> All = Args;
    All.insert(All.begin(), TRELM_BIN);
    for (std::string& A : All)
      Argv.push_back(A.data());
    Argv.push_back(nullptr);
    for (std::string& E : Env)
      Envp.push_back(E.data());
    Envp.push_back(nullptr);

    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addchdir_np(&Actions, Dir.c_str());
    posix_spawn_file_actions_addopen(&Actions, 1, (Dir / "stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnattr_t Attr;
    posix_spawnattr_init(&Attr);
    posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&Attr, 0);
    pid_t Pid = 0;
    EXPECT_EQ(posix_spawn(&Pid, TRELM_BIN, &Actions, &Attr, Argv.data(), Envp.data()), 0);
    posix_spawn_file_actions_destroy(&Actions);
    posix_spawnattr_destroy(&Attr);
    return Pid;
  }

  // The launcher's exit status (8 bits), or -1 when a signal ended it.
  static int Wait(pid_t Pid) {
    int Status = 0;
    waitpid(Pid, &Status, 0);
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  }

  int Run(const std::vector<std::string>& Args, const std::vector<std::string>& ExtraEnv = {}) {
    return Wait(Start(Args, ExtraEnv));
  }

  std::string Stdout() { return ReadAll(Dir / "stdout"); }
  // The child's arguments, joined by '|'.
  std::string Received() {
    std::string R = ReadAll(Dir / "received");
    for (char& C : R)
      if (C == 0) C = '|';
    return R;
  }

  fs::path Dir;
};

TEST_F(NativeRun, ChildReceivesTheFoldedFileAndTheExtraArguments) {
  WriteAll(Dir / "list.txt", "-o out.exe\r\n\t-I inc\r\n");
  EXPECT_EQ(Run({"prog", "list.txt", "-v", "x y"}), 0);
  EXPECT_EQ(Received(), "prog.exe|-o|out.exe|-I|inc|-v|x|y|");
  EXPECT_EQ(Stdout(), "");
}

TEST_F(NativeRun, ChildStatusAndSignalArePassedOn) {
  WriteAll(Dir / "list.txt", "");
  EXPECT_EQ(Run({"prog.exe", "list.txt"}, {"REC_EXIT=3"}), 3);
  EXPECT_EQ(Received(), "prog.exe|");
  EXPECT_EQ(Run({"prog.exe", "list.txt"}, {"REC_SIGNAL=15"}), 128 + 15);
}

TEST_F(NativeRun, UsageAndNotFound) {
  EXPECT_EQ(Run({}), 1);
  EXPECT_EQ(Stdout(), "Trelm - starts a program with a command line read from a file\r\n"
                      "Trelm ProgramName ParamFile params\r\n");
  EXPECT_EQ(Run({"prog.exe", "missing.txt"}), 1);
  EXPECT_EQ(Stdout(), "");
  fs::create_directory(Dir / "dir.exe");
  WriteAll(Dir / "list.txt", "a");
  EXPECT_EQ(Run({"dir", "list.txt"}), 1);
  EXPECT_FALSE(fs::exists(Dir / "received"));
}

TEST_F(NativeRun, StartFailuresGiveTheWindowsNumbers) {
  WriteAll(Dir / "list.txt", "a");
  WriteAll(Dir / "notes.txt", "not a program");
  chmod((Dir / "notes.txt").c_str(), 0755);
  EXPECT_EQ(Run({"notes.txt", "list.txt"}), 193);
  chmod((Dir / "notes.txt").c_str(), 0644);
  EXPECT_EQ(Run({"notes.txt", "list.txt"}), 5);
  EXPECT_EQ(Stdout(), "");
}

// Arguments reach the launcher as a command line joined from them, split
// back by the Windows rules: an empty argument is no argument, and a double
// quote opens a section that runs into the next argument.
TEST_F(NativeRun, OwnCommandLineSplitsAsTheTypedCommandWouldOnWindows) {
  WriteAll(Dir / "list.txt", "from list");
  EXPECT_EQ(Run({"prog.exe", "", "list.txt"}), 0);
  EXPECT_EQ(Received(), "prog.exe|from|list|");

  WriteAll(Dir / "ab list.txt", "merged");
  EXPECT_EQ(Run({"prog.exe", "a\"b", "list.txt"}), 0);
  EXPECT_EQ(Received(), "prog.exe|merged|");
}

// While the child runs, an interrupt to the whole group and a termination
// sent to the launcher alone leave the launcher waiting for the child's end
// and its status; the child meets every signal with its default reaction
// unless it sets its own.
TEST_F(NativeRun, LauncherStandsForItsChildAgainstSignals) {
  WriteAll(Dir / "list.txt", "");
  struct Case {
    const char* Name;
    int Signal;
    bool ToGroup;
    bool ChildCatches;
    int Status;
  };
  const Case Cases[] = {
      {"interrupt to the group, caught by the child", SIGINT, true, true, 40 + SIGINT},
      {"interrupt to the group, default in the child", SIGINT, true, false, 128 + SIGINT},
      {"quit to the group, caught by the child", SIGQUIT, true, true, 40 + SIGQUIT},
      {"termination of the launcher, caught by the child", SIGTERM, false, true, 40 + SIGTERM},
      {"termination of the launcher, default in the child", SIGTERM, false, false, 128 + SIGTERM},
      {"hang-up of the launcher, caught by the child", SIGHUP, false, true, 40 + SIGHUP},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    fs::remove(Dir / "ready");
    std::vector<std::string> Env = {"REC_READY=" + (Dir / "ready").string(), "REC_SLEEP_MS=20000"};
    if (C.ChildCatches) Env.push_back("REC_CATCH=1");
    pid_t Pid = Start({"prog.exe", "list.txt"}, Env);
    for (int I = 0; I < 1000 && !fs::exists(Dir / "ready"); ++I)
      usleep(10000);
    ASSERT_TRUE(fs::exists(Dir / "ready"));
    kill(C.ToGroup ? -Pid : Pid, C.Signal);
    EXPECT_EQ(Wait(Pid), C.Status);
  }
}

} // namespace
