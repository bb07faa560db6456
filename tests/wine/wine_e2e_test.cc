// The Windows launcher under Wine, started by a Windows-side driver with an
// exact command line, against a child that records the command line it
// received. TRELM_WINE_VARIANT names the Windows build (win32 or win64); its
// build tree, Wine loader and Wine prefix follow from it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

std::string Env(const char* Name) {
  const char* V = std::getenv(Name);
  return V ? V : "";
}

// Wine sees the Unix file system as drive Z:.
std::string Win(const fs::path& P) {
  std::string S = "Z:" + P.string();
  for (char& C : S)
    if (C == '/') C = '\\';
  return S;
}

int RunQuiet(const std::vector<std::string>& Args, const fs::path& Log) {
  std::vector<std::string> Copy = Args;
  std::vector<char*> Argv;
  for (std::string& A : Copy)
    Argv.push_back(A.data());
  Argv.push_back(nullptr);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&Actions, 1, Log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&Actions, 1, 2);
  pid_t Pid = 0;
  int Error = posix_spawn(&Pid, Argv[0], &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  if (Error != 0) return -1;
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

struct Outcome {
  std::string Status; // "exit=N" or "createfail=N"
  std::string Stdout; // what the launcher and child wrote to standard output
  std::string Stderr;
  std::string Received; // the child's command line, or "(no child)"
};

class WineRun : public ::testing::Test {
protected:
  void SetUp() override {
    Variant = Env("TRELM_WINE_VARIANT");
    ASSERT_TRUE(Variant == "win32" || Variant == "win64") << "TRELM_WINE_VARIANT: " << Variant;
    WinDir = fs::path(TRELM_SOURCE_DIR) / "build" / Variant;
    Loader = Variant == "win32" ? "/usr/lib/wine/wine" : "/usr/lib/wine/wine64";
    std::string Prefix = TRELM_WINE_PREFIX_BASE + Variant.substr(3);
    setenv("WINEPREFIX", Prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    ASSERT_TRUE(fs::exists(WinDir / "trelm.exe")) << "no trelm.exe in " << WinDir;
    char Tmpl[] = "/tmp/trelm-wine-XXXXXX";
    Dir = mkdtemp(Tmpl);
    Rec = WinDir / "tests/wine/programs/rec.exe";
    fs::copy_file(Rec, Dir / "prog.exe");
  }
  void TearDown() override { fs::remove_all(Dir); }

  // Starts trelm.exe with exactly CmdLine, in Dir, with the driver's
  // environment changed by Options (--set, --unset, --hold ...). With a
  // console, the driver runs under a pseudo-terminal, so that console
  // control events can be sent.
  Outcome Run(const std::string& CmdLine, std::vector<std::string> Options = {},
              bool WithConsole = false) {
    fs::remove(Dir / "received");
    WriteAll(Dir / "cmd.bin", CmdLine);
    std::vector<std::string> Args = {
        Loader,     (WinDir / "tests/wine/programs/driver.exe").string(),
        "--app",    Win(WinDir / "trelm.exe"),
        "--cmd",    Win(Dir / "cmd.bin"),
        "--status", Win(Dir / "status"),
        "--out",    Win(Dir / "out"),
        "--err",    Win(Dir / "err"),
        "--cwd",    Win(Dir),
        "--set",    "REC_OUT=" + Win(Dir / "received")};
    Args.insert(Args.end(), Options.begin(), Options.end());
    if (WithConsole) Args = {"/usr/bin/script", "-qec", ShellCommand(Args), "/dev/null"};
    EXPECT_EQ(RunQuiet(Args, Dir / "wine.log"), 0) << ReadAll(Dir / "wine.log");
    Outcome O{ReadAll(Dir / "status"), ReadAll(Dir / "out"), ReadAll(Dir / "err"), "(no child)"};
    if (fs::exists(Dir / "received")) O.Received = ReadAll(Dir / "received");
    return O;
  }

  // Args as one command for the shell, each in single quotes.
  static std::string ShellCommand(const std::vector<std::string>& Args) {
    std::string Cmd;
    for (const std::string& A : Args) {
      Cmd += Cmd.empty() ? "'" : " '";
      for (char C : A)
        Cmd += C == '\'' ? std::string("'\\''") : std::string(1, C);
      Cmd += '\'';
    }
    return Cmd;
  }

  // Driver options that make the child report its process id once it runs,
  // and act on the launcher then.
  std::vector<std::string> ActWhenReady(const char* Action) {
    return {"--set",    "REC_READY=" + Win(Dir / "child.pid"),
            "--ready",  Win(Dir / "child.pid"),
            "--action", Action};
  }

  // The command line a child found as Name receives for the folded Text.
  static std::string Line(const std::string& Name, const std::string& Text) {
    return "\"" + Name + "\" " + Text;
  }

  fs::path WinDir, Dir, Rec;
  std::string Variant, Loader;
};

const char kUsage[] = "Trelm - starts a program with a command line read from a file\r\n"
                      "Trelm ProgramName ParamFile params\r\n";

TEST_F(WineRun, UsageWithTooFewArguments) {
  for (const char* Cmd : {"trelm.exe", "trelm.exe prog.exe", "\"trelm.exe\"   \"\" "}) {
    Outcome O = Run(Cmd);
    EXPECT_EQ(O.Status, "exit=1") << Cmd;
    EXPECT_EQ(O.Stdout, kUsage) << Cmd;
    EXPECT_EQ(O.Received, "(no child)");
  }
}

TEST_F(WineRun, NotFoundGivesOneAndNoOutput) {
  WriteAll(Dir / "list.txt", "a");
  fs::create_directory(Dir / "tools.exe");
  fs::create_directory(Dir / "listdir");
  for (const char* Cmd : {"trelm.exe missing.exe list.txt", "trelm.exe tools.exe list.txt",
                          "trelm.exe prog.exe missing.txt", "trelm.exe prog.exe listdir"}) {
    Outcome O = Run(Cmd);
    EXPECT_EQ(O.Status, "exit=1") << Cmd;
    EXPECT_EQ(O.Stdout, "") << Cmd;
    EXPECT_EQ(O.Received, "(no child)") << Cmd;
  }
}

TEST_F(WineRun, TextFileAsProgramGivesTheSystemsCode) {
  WriteAll(Dir / "notes.txt", "just some notes\r\n");
  WriteAll(Dir / "list.txt", "a");
  Outcome O = Run("trelm.exe notes.txt list.txt");
  EXPECT_EQ(O.Status, "exit=193");
  EXPECT_EQ(O.Stdout, "");
}

TEST_F(WineRun, ChildGetsTheFoldedFileAndItsStatusIsPassedOn) {
  WriteAll(Dir / "empty.txt", "");
  Outcome O = Run("trelm.exe prog.exe empty.txt", {"--set", "REC_EXIT=3"});
  EXPECT_EQ(O.Status, "exit=3");
  EXPECT_EQ(O.Received, Line("prog.exe", " "));

  WriteAll(Dir / "list.txt", "-o out.exe\r\n\t-I\tinc\r\n  \\\\server\\share\r\nlast");
  O = Run("trelm.exe prog list.txt -v \"x y\"", {"--set", "REC_EXIT=0xC0000135"});
  EXPECT_EQ(O.Status, "exit=3221225781"); // all 32 bits
  EXPECT_EQ(O.Received, Line("prog.exe", "-o out.exe -I inc server\\share last -v x y "));
}

TEST_F(WineRun, PathsWithBlanksAndWildcards) {
  fs::create_directory(Dir / "my tools");
  fs::copy_file(Rec, Dir / "my tools" / "cc.exe");
  WriteAll(Dir / "my list.txt", "a b");
  std::string Prog = Win(Dir / "my tools" / "cc.exe");
  Outcome O = Run("trelm.exe \"" + Prog + "\" \"my list.txt\"");
  EXPECT_EQ(O.Status, "exit=0");
  EXPECT_EQ(O.Received, Line(Prog, "a b "));

  // The wildcard passes the existence test (prog.exe matches); the start
  // then gets the pattern itself, which the system refuses.
  O = Run("trelm.exe pro?.exe \"my list.txt\"");
  EXPECT_EQ(O.Stdout, "");
  EXPECT_EQ(O.Status, "exit=123"); // ERROR_INVALID_NAME
  EXPECT_EQ(O.Received, "(no child)");
}

TEST_F(WineRun, LongArgumentsAndLongFilesArriveWhole) {
  const std::string Long(300, 'a');
  WriteAll(Dir / "list.txt", "x");
  Outcome O = Run("trelm.exe prog.exe list.txt " + Long + " end");
  EXPECT_EQ(O.Received, Line("prog.exe", "x " + Long + " end "));

  std::string Words;
  for (int I = 0; I < 2000; ++I)
    Words += "word" + std::to_string(I) + "\r\n";
  WriteAll(Dir / "big.txt", Words);
  O = Run("trelm.exe prog.exe big.txt");
  std::string Folded;
  for (int I = 0; I < 2000; ++I)
    Folded += "word" + std::to_string(I) + " ";
  ASSERT_GT(Folded.size(), 8192u);
  EXPECT_EQ(O.Status, "exit=0");
  EXPECT_EQ(O.Received, Line("prog.exe", Folded + " "));

  WriteAll(Dir / "huge.txt", std::string(40000, 'w'));
  O = Run("trelm.exe prog.exe huge.txt");
  EXPECT_EQ(O.Status, "exit=206");
  EXPECT_EQ(O.Received, "(no child)");
  EXPECT_EQ(O.Stdout, "");
}

TEST_F(WineRun, ParameterFileHeldByAnotherProcess) {
  WriteAll(Dir / "list.txt", "held");
  Outcome O =
      Run("trelm.exe prog.exe list.txt", {"--hold", Win(Dir / "list.txt"), "--share", "none"});
  EXPECT_EQ(O.Status, "exit=32");
  EXPECT_EQ(O.Received, "(no child)");
  EXPECT_EQ(O.Stdout, "");
  O = Run("trelm.exe prog.exe list.txt", {"--hold", Win(Dir / "list.txt"), "--share", "rw"});
  EXPECT_EQ(O.Status, "exit=0");
  EXPECT_EQ(O.Received, Line("prog.exe", "held "));

  // A read-only file is read normally.
  WriteAll(Dir / "ro.txt", "read only");
  fs::permissions(Dir / "ro.txt", fs::perms::owner_read | fs::perms::group_read);
  O = Run("trelm.exe prog.exe ro.txt");
  EXPECT_EQ(O.Status, "exit=0");
  EXPECT_EQ(O.Received, Line("prog.exe", "read only "));
}

TEST_F(WineRun, ProgramSearch) {
  for (const char* D : {"a", "b", "c", "sub"})
    fs::create_directory(Dir / D);
  fs::copy_file(Rec, Dir / "b" / "tool.exe");
  fs::copy_file(Rec, Dir / "c" / "tool.exe");
  fs::copy_file(Rec, Dir / "sub" / "tool.exe");
  fs::create_directory(Dir / "a" / "x");
  fs::copy_file(Rec, Dir / "a" / "x" / "tool.exe");
  WriteAll(Dir / "list.txt", "x");
  const std::string A = Win(Dir / "a"), B = Win(Dir / "b"), C = Win(Dir / "c");
  // The driver's environment with PATH, in any case, replaced by Value.
  auto OnlyPath = [](const std::string& Value) {
    return std::vector<std::string>{"--unset", "PATH", "--set", "PATH=" + Value};
  };
  struct Case {
    const char* Name;
    std::string Cmd;
    std::vector<std::string> Options;
    std::string Status, Prog;
  };
  const Case Cases[] = {
      {"second of two PATH directories", "trelm.exe tool list.txt", OnlyPath(A + ";" + B), "exit=0",
       B + "\\tool.exe"},
      {"';;' before the right directory", "trelm.exe tool list.txt", OnlyPath(A + ";;" + C + "\\"),
       "exit=0", C + "\\tool.exe"},
      {"lower-case entry",
       "trelm.exe tool list.txt",
       {"--unset", "PATH", "--set", "path=" + C},
       "exit=0",
       C + "\\tool.exe"},
      {"current directory before PATH", "trelm.exe prog list.txt", OnlyPath(B), "exit=0",
       "prog.exe"},
      {"no PATH at all", "trelm.exe tool list.txt", {"--unset", "PATH"}, "exit=1", ""},
      {"'sub\\tool' is used as it stands", "trelm.exe sub\\tool list.txt", OnlyPath(B), "exit=0",
       "sub\\tool.exe"},
      {"'x\\tool' is not searched", "trelm.exe x\\tool list.txt", OnlyPath(A), "exit=1", ""},
      {"'x/tool' is searched", "trelm.exe x/tool list.txt", OnlyPath(A), "exit=0",
       A + "\\x/tool.exe"},
      {"upper case gets a lower-case extension", "trelm.exe TOOL list.txt", OnlyPath(B), "exit=0",
       B + "\\TOOL.exe"},
  };
  for (const Case& K : Cases) {
    Outcome O = Run(K.Cmd, K.Options);
    EXPECT_EQ(O.Status, K.Status) << K.Name;
    EXPECT_EQ(O.Received, K.Prog.empty() ? "(no child)" : Line(K.Prog, "x ")) << K.Name;
  }

  // A directory named like the program does not stop the search.
  fs::create_directory(Dir / "tool.exe");
  Outcome O = Run("trelm.exe tool list.txt", OnlyPath(B));
  EXPECT_EQ(O.Received, Line(B + "\\tool.exe", "x "));
}

TEST_F(WineRun, BadInputIsRefusedAndNothingIsLost) {
  // 100 MiB of random bytes: too long for any command line.
  std::string Random(100u << 20, '\0');
  std::mt19937 Gen(1);
  for (char& Ch : Random)
    Ch = static_cast<char>(Gen());
  WriteAll(Dir / "random.bin", Random);
  Outcome O = Run("trelm.exe prog.exe random.bin");
  EXPECT_EQ(O.Status, "exit=206");
  EXPECT_EQ(O.Received, "(no child)");
  fs::remove(Dir / "random.bin");

  // A small binary file is folded like any other.
  WriteAll(Dir / "bin.dat", std::string("\x00\x01MZ\x90\x00\x03\xff\xfe\t\\x", 12));
  O = Run("trelm.exe prog.exe bin.dat");
  EXPECT_EQ(O.Received, Line("prog.exe", "MZ\x90\xff\xfe x "));

  WriteAll(Dir / "list.txt", "x");
  O = Run("trelm.exe nul list.txt");
  EXPECT_NE(O.Status, "exit=0");
  EXPECT_EQ(O.Received, "(no child)");
  EXPECT_EQ(O.Stdout, "");

  // A program name of 300 bytes is never cut to 255 and acted on, even when
  // a program of the cut name exists.
  fs::copy_file(Rec, Dir / std::string(255, 'p'));
  O = Run("trelm.exe " + std::string(300, 'p') + " list.txt");
  EXPECT_EQ(O.Status, "exit=1");
  EXPECT_EQ(O.Received, "(no child)");

  // A child that writes a lot: all of it arrives, and the launcher waits.
  O = Run("trelm.exe prog.exe list.txt", {"--set", "REC_SPAM=3000000"});
  EXPECT_EQ(O.Status, "exit=0");
  EXPECT_EQ(O.Stdout.size(), 3000000u);
  EXPECT_EQ(O.Stderr.size(), 3000000u);
}

// Ending the launcher ends the child it waits for, but not what the child
// started on purpose.
TEST_F(WineRun, KillingTheLauncherEndsItsChildButNotTheGrandchild) {
  WriteAll(Dir / "list.txt", "x");
  std::vector<std::string> Options = ActWhenReady("kill");
  Options.insert(Options.end(),
                 {"--set", "REC_SLEEP_MS=30000", "--set", "REC_SPAWN=" + Win(Dir / "grand.pid"),
                  "--grand", Win(Dir / "grand.pid")});
  Outcome O = Run("trelm.exe prog.exe list.txt", Options);
  EXPECT_EQ(O.Status, "exit=99 child=ended grandchild=running");
  EXPECT_EQ(O.Received, Line("prog.exe", "x "));
}

// Ctrl+C reaches the child, which decides; the launcher keeps waiting and
// ends with the child's status.
TEST_F(WineRun, CtrlCLeavesTheLauncherWaitingForItsChild) {
  WriteAll(Dir / "list.txt", "x");
  std::vector<std::string> Options = ActWhenReady("ctrlc");
  Options.insert(Options.end(),
                 {"--set", "REC_CTRLC=1", "--set", "REC_SLEEP_MS=30000", "--set", "REC_EXIT=7"});
  Outcome O = Run("trelm.exe prog.exe list.txt", Options, true);
  EXPECT_EQ(O.Status, "exit=7 afterctrlc=running");
}

// The version resource and the manifest, read as Windows tools read them.
TEST_F(WineRun, VersionResourceAndManifest) {
  const std::string Version = TRELM_VERSION;
  std::vector<std::string> Args = {Loader, (WinDir / "tests/wine/programs/verinfo.exe").string(),
                                   Win(WinDir / "trelm.exe"), Win(Dir / "info")};
  ASSERT_EQ(RunQuiet(Args, Dir / "wine.log"), 0) << ReadAll(Dir / "wine.log");
  std::string Info = ReadAll(Dir / "info");
  size_t At = Info.find("Manifest=");
  ASSERT_NE(At, std::string::npos) << Info;
  EXPECT_EQ(Info.substr(0, At), "FileVersion=" + Version +
                                    ".0\n"
                                    "ProductVersion=" +
                                    Version +
                                    ".0\n"
                                    "FileOS=0x40004\n" // VOS_NT_WINDOWS32
                                    "FileType=0x1\n"   // VFT_APP
                                    "Translation=0409 04b0\n"
                                    "ProductName=Trelm\n"
                                    "FileDescription=Trelm - starts a program with a command line "
                                    "read from a file\n"
                                    "FileVersion=" +
                                    Version +
                                    "\n"
                                    "ProductVersion=" +
                                    Version +
                                    "\n"
                                    "InternalName=trelm\n"
                                    "OriginalFilename=trelm.exe\n"
                                    "LegalCopyright=Copyright (c) 2026 The Trelm authors. MIT "
                                    "License.\n");
  std::string Manifest = Info.substr(At);
  EXPECT_NE(Manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
            std::string::npos);
  for (const char* Os :
       {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
        "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
        "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
    EXPECT_NE(Manifest.find("<supportedOS Id=\"{" + std::string(Os) + "}\"/>"), std::string::npos)
        << Os;
  EXPECT_EQ(Manifest.find("<activeCodePage"), std::string::npos);
}

// On 64-bit Windows a 32-bit program sees SysWOW64 where System32 stands, so
// a program that only the 64-bit System32 holds is found by the win64 build
// alone; the win32 build keeps the 32-bit view and finds nothing.
TEST_F(WineRun, SystemDirectoryAsEachBuildSeesIt) {
  const std::string Prefix = std::string(TRELM_WINE_PREFIX_BASE) + "64";
  setenv("WINEPREFIX", Prefix.c_str(), 1); // a 64-bit prefix, for both builds
  const std::string Name = "trelm-probe-" + Variant + "-" + std::to_string(getpid()) + ".exe";
  const fs::path Placed = fs::path(Prefix) / "drive_c/windows/system32" / Name;
  ASSERT_FALSE(fs::exists(fs::path(Prefix) / "drive_c/windows/syswow64" / Name));
  fs::copy_file(fs::path(TRELM_SOURCE_DIR) / "build/win64/tests/wine/programs/rec.exe", Placed);
  WriteAll(Dir / "list.txt", "x");
  Outcome O = Run("trelm.exe " + Name + " list.txt",
                  {"--unset", "PATH", "--set", "PATH=C:\\windows\\system32"});
  fs::remove(Placed);
  if (Variant == "win64") {
    EXPECT_EQ(O.Status, "exit=0");
    EXPECT_EQ(O.Received, Line("C:\\windows\\system32\\" + Name, "x "));
  } else {
    EXPECT_EQ(O.Status, "exit=1");
    EXPECT_EQ(O.Received, "(no child)");
  }
}

} // namespace
