#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/launch.h"
#include "launcher/state.h"
#include "tests/unit/fake_platform.h"

namespace {

TEST(ChildCmdLine, QuotesThePathAndAddsExactlyOneBlank) {
  struct Case {
    std::string Path, Args, Line;
  };
  const Case Cases[] = {
      {"C:\\Tools\\cc.exe", "-a -b ", "\"C:\\Tools\\cc.exe\" -a -b "},
      {"C:\\My Tools\\cc.exe", "x", "\"C:\\My Tools\\cc.exe\" x"},
      {"cc.exe", "", "\"cc.exe\" "},
      {"cc.exe", "  two  blanks kept ", "\"cc.exe\"   two  blanks kept "},
  };
  for (const Case& C : Cases) {
    char Buf[128];
    ASSERT_TRUE(BuildChildCmdLine(Buf, sizeof Buf, C.Path.c_str(), C.Args.c_str()));
    EXPECT_EQ(std::string(Buf), C.Line);
  }
}

TEST(ChildCmdLine, FillsTheBufferExactlyAndRefusesOneByteMore) {
  const std::string Path(255, 'p');
  const std::string Fits(kChildCmdLineMax - 4 - Path.size(), 'a');
  std::vector<char> Buf(kChildCmdLineMax + 1, '#');
  ASSERT_TRUE(BuildChildCmdLine(Buf.data(), kChildCmdLineMax, Path.c_str(), Fits.c_str()));
  EXPECT_EQ(Buf[kChildCmdLineMax - 1], 0);
  EXPECT_EQ(Buf[kChildCmdLineMax - 2], 'a');
  EXPECT_EQ(Buf[kChildCmdLineMax], '#');

  std::vector<char> Other(kChildCmdLineMax + 1, '#');
  const std::string TooLong = Fits + "a";
  EXPECT_FALSE(BuildChildCmdLine(Other.data(), kChildCmdLineMax, Path.c_str(), TooLong.c_str()));
  EXPECT_EQ(std::string(Other.begin(), Other.end()), std::string(kChildCmdLineMax + 1, '#'));
}

TEST(ChildLaunch, ResultIsTheChildsStatusOrTheCreationError) {
  tShortStr Prog = ShortFromCStr("C:\\Tools\\cc.exe");
  struct Case {
    uint32_t CreateError, ChildExit;
    int32_t Result;
  };
  const Case Cases[] = {{0, 0, 0},
                        {0, 3, 3},
                        {0, 0xC0000005u, static_cast<int32_t>(0xC0000005u)},
                        {193, 0, 193},
                        {2, 0, 2}};
  for (const Case& C : Cases) {
    ResetFake("Trelm");
    Fake.CreateError = C.CreateError;
    Fake.ChildExit = C.ChildExit;
    LaunchProgram(Prog, "-a ");
    EXPECT_EQ(Launcher.ResultCode, C.Result);
    EXPECT_EQ(Fake.Events, std::vector<std::string>{"run"});
  }
  ResetFake("Trelm");
  LaunchProgram(Prog, "-a ");
  ASSERT_EQ(Fake.Children.size(), 1u);
  EXPECT_EQ(Fake.Children[0].ProgPath, "C:\\Tools\\cc.exe");
  EXPECT_EQ(Fake.Children[0].CmdLine, "\"C:\\Tools\\cc.exe\" -a ");
}

TEST(ChildLaunch, TooLongLineStartsNothingAnd206) {
  ResetFake("Trelm");
  const std::string Args(kChildCmdLineMax, 'a');
  EXPECT_EQ(ExecuteChild("cc.exe", Args.c_str()), 206u);
  EXPECT_TRUE(Fake.Children.empty());
  EXPECT_TRUE(Fake.Events.empty());
}

} // namespace
