#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/launcher.h"
#include "launcher/state.h"
#include "tests/unit/fake_platform.h"

namespace {

const char kUsage[] = "Trelm - starts a program with a command line read from a file\r\n"
                      "Trelm ProgramName ParamFile params\r\n";

struct RunCase {
  const char* Name;
  std::string CmdLine;
  std::vector<std::pair<std::string, FakeFile>> Files;
  int32_t Status;
  std::string Stdout;
  std::vector<FakeChild> Children;
};

FakeFile Plain(const std::string& Content = "") {
  return FakeFile{false, Content};
}
FakeFile Directory() {
  return FakeFile{true, ""};
}

TEST(MainSequence, StatusesOutputAndWhatIsStarted) {
  const std::string Long(256, 'p');
  const RunCase Cases[] = {
      {"no arguments", "Trelm", {}, 1, kUsage, {}},
      {"one argument", "Trelm prog.exe", {{"prog.exe", Plain()}}, 1, kUsage, {}},
      {"empty command line", "", {}, 1, kUsage, {}},
      {"missing program", "Trelm prog.exe list.txt", {{"list.txt", Plain()}}, 1, "", {}},
      {"program is a directory",
       "Trelm C:\\work\\tools.exe list.txt",
       {{"C:\\work\\tools.exe", Directory()}, {"list.txt", Plain()}},
       1,
       "",
       {}},
      {"missing parameter file", "Trelm prog.exe list.txt", {{"prog.exe", Plain()}}, 1, "", {}},
      {"parameter file is a directory",
       "Trelm prog.exe list.txt",
       {{"prog.exe", Plain()}, {"list.txt", Directory()}},
       1,
       "",
       {}},
      {"program name longer than 255 bytes",
       "Trelm " + Long + ".exe list.txt",
       {{Long.substr(0, 255), Plain()}, {"list.txt", Plain()}},
       1,
       "",
       {}},
      {"parameter file name longer than 255 bytes",
       "Trelm prog.exe " + Long,
       {{"prog.exe", Plain()}, {Long.substr(0, 255), Plain()}},
       1,
       "",
       {}},
      {"empty parameter file",
       "Trelm prog list.txt",
       {{"prog.exe", Plain()}, {"list.txt", Plain()}},
       0,
       "",
       {{"prog.exe", "\"prog.exe\"  "}}},
      {"folded file and extra arguments",
       "Trelm \"C:\\My Tools\\cc.exe\" list.txt -v \"x y\"",
       {{"C:\\My Tools\\cc.exe", Plain()}, {"list.txt", Plain("-c\r\na.c\r\n")}},
       0,
       "",
       {{"C:\\My Tools\\cc.exe", "\"C:\\My Tools\\cc.exe\" -c a.c  -v x y "}}},
  };
  for (const RunCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    ResetFake(C.CmdLine);
    for (const auto& F : C.Files)
      Fake.Files[F.first] = F.second;
    EXPECT_EQ(RunLauncher(), C.Status);
    EXPECT_EQ(Fake.Stdout, C.Stdout);
    EXPECT_EQ(Fake.Stderr, "");
    ASSERT_EQ(Fake.Children.size(), C.Children.size());
    for (size_t I = 0; I < C.Children.size(); ++I) {
      EXPECT_EQ(Fake.Children[I].ProgPath, C.Children[I].ProgPath);
      EXPECT_EQ(Fake.Children[I].CmdLine, C.Children[I].CmdLine);
    }
    EXPECT_EQ(Fake.LiveBlocks, 0);
    EXPECT_EQ(Fake.OpenFiles, 0);
  }
}

TEST(MainSequence, ChildStatusAndCreationErrorsArePassedOn) {
  struct Case {
    uint32_t CreateError, ChildExit;
    int32_t Status;
  };
  const Case Cases[] = {{0, 3, 3}, {193, 0, 193}, {0, 0xFFFFFFFFu, -1}};
  for (const Case& C : Cases) {
    ResetFake("Trelm notes.txt list.txt");
    Fake.Files["notes.txt"] = Plain();
    Fake.Files["list.txt"] = Plain("x");
    Fake.CreateError = C.CreateError;
    Fake.ChildExit = C.ChildExit;
    EXPECT_EQ(RunLauncher(), C.Status);
    EXPECT_EQ(Fake.Stdout, "");
  }
}

TEST(MainSequence, FileClosedBeforeTheChildAndBufferFreedAfterIt) {
  ResetFake("Trelm prog.exe list.txt");
  Fake.Files["prog.exe"] = Plain();
  Fake.Files["list.txt"] = Plain("abc");
  EXPECT_EQ(RunLauncher(), 0);
  const std::vector<std::string> Expected = {"find prog.exe",
                                             "find prog.exe",
                                             "find list.txt",
                                             "open list.txt",
                                             "alloc " + std::to_string(3 + 23 + 2),
                                             "read 3",
                                             "close",
                                             "run",
                                             "free"};
  EXPECT_EQ(Fake.Events, Expected);
}

TEST(MainSequence, TooLongForTheCommandLineGives206AndStartsNothing) {
  ResetFake("Trelm prog.exe list.txt");
  Fake.Files["prog.exe"] = Plain();
  Fake.Files["list.txt"] = Plain(std::string(40000, 'w'));
  EXPECT_EQ(RunLauncher(), 206);
  EXPECT_TRUE(Fake.Children.empty());
  EXPECT_EQ(Fake.Stdout, "");
  EXPECT_EQ(Fake.LiveBlocks, 0);
}

TEST(MainSequence, MemoryTestFailureEndsWith1BeforeAnyAllocation) {
  ResetFake("Trelm prog.exe list.txt");
  Fake.Files["prog.exe"] = Plain();
  Fake.Files["list.txt"] = Plain("abc");
  Fake.Memory = {26, 26, 0, 0}; // exactly the file plus the command line
  EXPECT_EQ(RunLauncher(), 1);
  EXPECT_TRUE(Fake.Children.empty());
  for (const std::string& E : Fake.Events)
    EXPECT_NE(E.rfind("alloc", 0), 0u);
}

} // namespace
