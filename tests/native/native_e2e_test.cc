// The native launcher started for real, with a real child that records what
// it received.
#include <gtest/gtest.h>

#include <fcntl.h>
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

  // Runs the launcher in Dir with Args; returns its exit status (8 bits).
  int Run(const std::vector<std::string>& Args, const std::vector<std::string>& ExtraEnv = {}) {
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
    pid_t Pid = 0;
    EXPECT_EQ(posix_spawn(&Pid, TRELM_BIN, &Actions, nullptr, Argv.data(), Envp.data()), 0);
    posix_spawn_file_actions_destroy(&Actions);
    int Status = 0;
    waitpid(Pid, &Status, 0);
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
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

} // namespace
