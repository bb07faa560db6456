#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/locate.h"
#include "launcher/state.h"
#include "tests/unit/fake_platform.h"

namespace {

std::string Str(const tShortStr& S) {
  return std::string(S.Data, S.Len);
}
tShortStr Short(const std::string& S) {
  tShortStr R{};
  ShortAssign(R, S.data(), static_cast<int32_t>(S.size()));
  return R;
}

TEST(Names, ExtensionAndDirectory) {
  struct Case {
    std::string Name, Ext, Dir;
  };
  const Case Cases[] = {
      {"prog", "", ""},
      {"prog.exe", ".exe", ""},
      {"prog.", ".", ""},
      {".hidden", ".hidden", ""},
      {"dir\\prog", "", "dir"},
      {".\\prog", "", "."},
      {"dir.d\\prog", "", "dir.d"},
      {"C:prog", "", "C:"},
      {"C:\\tools\\prog.exe", ".exe", "C:\\tools"},
      {"C:\\prog.exe", ".exe", "C:\\"},
      {"\\prog.exe", ".exe", "\\"},
      {"\\\\server\\share\\prog", "", "\\\\server\\share"},
      {"\\\\x", "", "\\\\"},
      {"sub/prog", "", ""},
      {"my.d/prog", ".d/prog", ""},
      {"", "", ""},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(Str(ExtractExt(Short(C.Name))), C.Ext) << C.Name;
    EXPECT_EQ(Str(ExtractDir(Short(C.Name))), C.Dir) << C.Name;
  }
}

std::string Block(const std::vector<std::string>& Entries) {
  std::string B;
  for (const std::string& E : Entries)
    B.append(E.c_str(), E.size() + 1);
  B.push_back('\0');
  return B;
}

TEST(Environment, FindsTheFirstEntryNamedPathInAnyCase) {
  struct Case {
    std::vector<std::string> Entries;
    const char* Value; // null: none
  };
  const Case Cases[] = {
      {{"A=1", "PATH=C:\\a", "Path=C:\\b"}, "C:\\a"},
      {{"Path=C:\\b", "PATH=C:\\a"}, "C:\\b"},
      {{"path=x"}, "x"},
      {{"PATHX=1", "PATH", "PAT=2", "P=3"}, nullptr},
      {{"PATHX=1", "PATH=ok"}, "ok"},
      {{"PATH="}, ""},
      {{"PATH=a=b"}, "a=b"},
      {{"\xd0"
        "ATH=1"},
       nullptr},
      {{}, nullptr},
  };
  for (const Case& C : Cases) {
    std::string B = Block(C.Entries);
    const char* Got = FindEnvValueIn(B.data(), Short("PATH"));
    if (C.Value == nullptr) {
      EXPECT_EQ(Got, nullptr);
    } else {
      ASSERT_NE(Got, nullptr);
      EXPECT_STREQ(Got, C.Value);
      EXPECT_GE(Got, B.data());
      EXPECT_LT(Got, B.data() + B.size()); // points into the block, not a copy
    }
  }
}

std::vector<std::string> Walk(const std::string& List) {
  std::vector<std::string> Dirs;
  int32_t Pos = 0;
  for (;;) {
    tShortStr D = NextPathDir(List.c_str(), Pos);
    EXPECT_LE(Pos, static_cast<int32_t>(List.size()));
    if (D.Len == 0) break;
    EXPECT_FALSE(D.Cut);
    Dirs.push_back(Str(D));
  }
  EXPECT_EQ(Str(NextPathDir(List.c_str(), Pos)), ""); // stays at the end
  return Dirs;
}

TEST(PathWalk, ElementsInOrderWithTheirBackslash) {
  const std::string Long254(254, 'd');
  const std::string Long255(255, 'e');
  struct Case {
    std::string List;
    std::vector<std::string> Dirs;
  };
  const Case Cases[] = {
      {"C:\\a;C:\\b", {"C:\\a\\", "C:\\b\\"}},
      {"C:\\b\\", {"C:\\b\\"}},
      {"C:", {"C:\\"}},
      {"\\", {"\\"}},
      {".", {".\\"}},
      {"C:\\a; C:\\b", {"C:\\a\\", " C:\\b\\"}},
      {"C:\\a;;C:\\b", {"C:\\a\\", "C:\\b\\"}},
      {";C:\\b;", {"C:\\b\\"}},
      {";;;", {}},
      {"", {}},
      {"\"C:\\q\"", {"\"C:\\q\"\\"}},
      {Long254 + ";x", {Long254 + "\\", "x\\"}},
      {Long255 + ";x", {"x\\"}},
      {Long254 + "\\;x", {Long254 + "\\", "x\\"}},
      {Long255 + "\\;y", {"y\\"}},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Walk(C.List), C.Dirs) << C.List;
  int32_t Pos = 0;
  EXPECT_EQ(NextPathDir(nullptr, Pos).Len, 0);
}

struct LocateCase {
  std::string Arg;
  std::vector<std::string> Env;
  std::vector<std::string> Files; // plain files; a trailing '/' makes a directory
  std::string ProgName;
  std::vector<std::string> Tried;
};

void CheckLocate(const LocateCase& C) {
  SCOPED_TRACE("argument " + C.Arg);
  ResetFake("Trelm");
  SetFakeEnv(C.Env);
  for (std::string F : C.Files) {
    bool Dir = !F.empty() && F.back() == '/';
    if (Dir) F.pop_back();
    Fake.Files[F] = FakeFile{Dir, ""};
  }
  Launcher.ProgName = Short(C.Arg);
  LocateProgram();
  EXPECT_EQ(Str(Launcher.ProgName), C.ProgName);
  std::vector<std::string> Tried;
  for (const std::string& E : Fake.Events)
    Tried.push_back(E.substr(5));
  EXPECT_EQ(Tried, C.Tried);
}

TEST(Locate, SearchOrderAndOutcome) {
  const std::vector<std::string> Path = {"PATH=C:\\a;C:\\b"};
  const LocateCase Cases[] = {
      {"prog",
       Path,
       {"C:\\b\\prog.exe"},
       "C:\\b\\prog.exe",
       {"prog.exe", "C:\\a\\prog.exe", "C:\\b\\prog.exe"}},
      {"prog", Path, {"prog.exe", "C:\\a\\prog.exe"}, "prog.exe", {"prog.exe"}},
      {"PROG", Path, {"C:\\a\\PROG.exe"}, "C:\\a\\PROG.exe", {"PROG.exe", "C:\\a\\PROG.exe"}},
      {"prog", Path, {}, "prog.exe", {"prog.exe", "C:\\a\\prog.exe", "C:\\b\\prog.exe"}},
      {"prog",
       Path,
       {"prog.exe/", "C:\\a\\prog.exe/", "C:\\b\\prog.exe"},
       "C:\\b\\prog.exe",
       {"prog.exe", "C:\\a\\prog.exe", "C:\\b\\prog.exe"}},
      {"prog",
       {"PATH=C:\\a;;C:\\b"},
       {"C:\\b\\prog.exe"},
       "C:\\b\\prog.exe",
       {"prog.exe", "C:\\a\\prog.exe", "C:\\b\\prog.exe"}},
      {"prog",
       {"path=.;C:"},
       {"C:\\prog.exe"},
       "C:\\prog.exe",
       {"prog.exe", ".\\prog.exe", "C:\\prog.exe"}},
      {"prog", {}, {"C:\\a\\prog.exe"}, "prog.exe", {"prog.exe"}},
      {"prog.com", Path, {"C:\\a\\prog.com"}, "C:\\a\\prog.com", {"prog.com", "C:\\a\\prog.com"}},
      {"sub/prog",
       Path,
       {"C:\\b\\sub/prog.exe"},
       "C:\\b\\sub/prog.exe",
       {"sub/prog.exe", "C:\\a\\sub/prog.exe", "C:\\b\\sub/prog.exe"}},
      {"sub\\prog", Path, {"C:\\a\\sub\\prog.exe"}, "sub\\prog.exe", {}},
      {"C:prog", Path, {}, "C:prog.exe", {}},
  };
  for (const LocateCase& C : Cases)
    CheckLocate(C);
}

TEST(Locate, NoEnvironmentBlockSearchesTheCurrentDirectoryOnly) {
  for (bool InCurrentDir : {false, true}) {
    ResetFake("Trelm");
    Fake.EnvMissing = true;
    if (InCurrentDir) Fake.Files["prog.exe"] = FakeFile{};
    Launcher.ProgName = Short("prog");
    LocateProgram();
    EXPECT_EQ(Str(Launcher.ProgName), "prog.exe");
    EXPECT_EQ(Launcher.PathList, nullptr);
    EXPECT_EQ(Fake.Events, std::vector<std::string>{"find prog.exe"});
  }
}

TEST(Locate, NamesThatWouldNotFitAreNeverTriedCut) {
  // 251 bytes take ".exe" whole; 252 bytes do not, and count as not found.
  const std::string Fits(251, 'n');
  CheckLocate({Fits, {}, {Fits + ".exe"}, Fits + ".exe", {Fits + ".exe"}});
  EXPECT_FALSE(Launcher.ProgName.Cut);

  ResetFake("Trelm");
  Launcher.ProgName = Short(std::string(253, 'n'));
  LocateProgram();
  EXPECT_TRUE(Launcher.ProgName.Cut);
  EXPECT_TRUE(Fake.Events.empty());

  // A directory that would push the candidate past 255 bytes is passed over.
  const std::string Dir(200, 'd');
  CheckLocate({"x" + std::string(60, 'x'),
               {"PATH=" + Dir + ";C:\\b"},
               {"C:\\b\\x" + std::string(60, 'x') + ".exe"},
               "C:\\b\\x" + std::string(60, 'x') + ".exe",
               {"x" + std::string(60, 'x') + ".exe", "C:\\b\\x" + std::string(60, 'x') + ".exe"}});
}

} // namespace
