#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "launcher/param_file.h"
#include "launcher/state.h"
#include "tests/unit/fake_platform.h"

namespace {

std::string Fold(const std::string& In) {
  std::vector<char> Buf(In.begin(), In.end());
  Buf.push_back('#');
  Launcher.CmdBuf = Buf.data();
  FlattenBuffer(static_cast<int32_t>(In.size()));
  return std::string(Buf.data(), static_cast<size_t>(Launcher.WritePos));
}

TEST(Flatten, Table) {
  struct Case {
    std::string File, Text;
  };
  using namespace std::string_literals;
  const Case Cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"abc\r\n", "abc "},
      {"  abc", " abc"},
      {"one\r\ntwo\r\n", "one two "},
      {"a\t\tb", "a b"},
      {"x\r\n\r\n\r\ny", "x y"},
      {"-o out.exe\r\n-I inc\r\n", "-o out.exe -I inc "},
      {" ", " "},
      {"\r\n", " "},
      {"a \\b", "a b"},
      {"a\\b", "a\\b"},
      {"\\abc", "\\abc"},
      {"a\\ b", "a\\ b"},
      {"a \\\\\\ \\b", "a b"},
      {"a \\", "a "},
      {"abc \\\r\ndef", "abc def"},
      {"abc\\\r\ndef", "abc\\ def"},
      {"a \\\\server\\share", "a server\\share"},
      {"a\t\\b", "a b"},
      {"\"a  b\"", "\"a b\""},
      {"a\x01"
       "b",
       "ab"},
      {"a\0b"s, "ab"},
      {"a \x01"
       "b",
       "a b"},
      {"a\x01 b", "a b"},
      {"\x01 a", " a"},
      {"a\x1a", "a"},
      {"a \x7f", "a \x7f"},
      {"\xe4\xf6 \xfc", "\xe4\xf6 \xfc"},
      {"\xef\xbb\xbfword", "\xef\xbb\xbfword"},
      {"averyveryverylongwordofmanybytes\tand\\more\\pathbytes\r\nx", // word-at-a-time path
       "averyveryverylongwordofmanybytes and\\more\\pathbytes x"},
      {"12345678\x01"
       "12345678 \x02\\\\12345678",
       "1234567812345678 12345678"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Fold(C.File), C.Text) << "file [" << C.File << "]";
}

// What the launcher hands on for a parameter file and a command line.
struct LoadResult {
  bool Loaded;
  int32_t ResultCode;
  std::string Text;
};

LoadResult LoadFoldAppend(const std::string& CmdLine, const FakeFile& File) {
  ResetFake(CmdLine);
  Fake.Files["list.txt"] = File;
  Launcher.ParamFileName = ShortFromCStr("list.txt");
  Launcher.ResultCode = 1;
  int32_t DataLen = 0;
  LoadResult R{LoadParamFile(&DataLen), 0, ""};
  R.ResultCode = Launcher.ResultCode;
  if (!R.Loaded) return R;
  FlattenBuffer(DataLen);
  AppendExtraArgs();
  R.Text = Launcher.CmdBuf;
  FreeBlock(Launcher.CmdBuf);
  return R;
}

TEST(ParamFile, ExtraArgumentsFollowTheFoldedText) {
  struct Case {
    std::string CmdLine, File, Text;
  };
  const std::string Long(400, 'L');
  const Case Cases[] = {
      {"Trelm prog.exe list.txt -v \"x y\"", "a\r\n", "a  -v x y "},
      {"Trelm prog.exe list.txt -v", "", " -v "},
      {"Trelm prog.exe list.txt", "abc", "abc "},
      {"Trelm prog.exe list.txt", "", " "},
      {"Trelm prog.exe list.txt \"\" a\"\"b \"q", "w", "w ab q "},
      {"Trelm prog.exe list.txt " + Long + " end", "", " " + Long + " end "},
      {"\"C:\\x y\\Trelm.exe\"\tprog.exe\t\"list.txt\"\t\"\t\"", "", " \t "},
  };
  for (const Case& C : Cases) {
    LoadResult R = LoadFoldAppend(C.CmdLine, FakeFile{false, C.File});
    ASSERT_TRUE(R.Loaded) << C.CmdLine;
    EXPECT_EQ(R.Text, C.Text) << C.CmdLine;
  }
}

TEST(ParamFile, ReadOnceClosedBeforeFoldAndSizedForTheCommandLine) {
  const std::string CmdLine = "Trelm prog.exe list.txt a";
  LoadResult R = LoadFoldAppend(CmdLine, FakeFile{false, "abc"});
  ASSERT_TRUE(R.Loaded);
  const std::vector<std::string> Expected = {"open list.txt",
                                             "alloc " + std::to_string(3 + CmdLine.size() + 2),
                                             "read 3", "close", "free"};
  EXPECT_EQ(Fake.Events, Expected);
  EXPECT_EQ(Fake.OpenFiles, 0);
}

TEST(ParamFile, FailuresStartNothingAndGiveTheSystemsCode) {
  struct Case {
    const char* Name;
    FakeFile File;
    int32_t Code;
  };
  FakeFile Locked{false, "abc"};
  Locked.OpenError = 32;
  FakeFile Unsized{false, "abc"};
  Unsized.SizeError = 87;
  FakeFile ReadFails{false, "abc"};
  ReadFails.ReadError = 23;
  FakeFile EndsEarly{false, "abcd"};
  EndsEarly.SizeOverride = 6; // shrank after it was sized
  EndsEarly.Piece = 3;
  const Case Cases[] = {{"held open without sharing", Locked, 32},
                        {"cannot be sized", Unsized, 87},
                        {"read fails", ReadFails, 23},
                        {"ends before its size, without an error", EndsEarly, 30}};
  for (const Case& C : Cases) {
    LoadResult R = LoadFoldAppend("Trelm prog.exe list.txt", C.File);
    EXPECT_FALSE(R.Loaded) << C.Name;
    EXPECT_EQ(R.ResultCode, C.Code) << C.Name;
    EXPECT_EQ(Fake.OpenFiles, 0) << C.Name;
    EXPECT_EQ(Fake.LiveBlocks, 0) << C.Name;
  }
}

TEST(ParamFile, MemoryTestFailsOnEqualityAndOnSizesThatWouldWrap) {
  const std::string CmdLine = "Trelm prog.exe list.txt";
  const int32_t BufSize = 10 + static_cast<int32_t>(CmdLine.size());
  struct Case {
    const char* Name;
    uint64_t FileSize;
    uint64_t Available;
    bool Loaded;
  };
  const uint64_t Huge = 0x7FFFFFFF;
  const Case Cases[] = {
      {"one byte more than needed", 10, static_cast<uint64_t>(BufSize) + 1, true},
      {"exactly what is needed", 10, static_cast<uint64_t>(BufSize), false},
      {"less than needed", 10, 5, false},
      {"size plus command line plus 2 past 2^31-1", Huge - CmdLine.size() - 1, Huge, false},
      {"file of 4 GiB and more", 0x100000005ULL, UINT64_MAX, false},
  };
  for (const Case& C : Cases) {
    FakeFile File{false, std::string(10, 'x')};
    File.SizeOverride = C.FileSize;
    ResetFake(CmdLine);
    Fake.Files["list.txt"] = File;
    Fake.Memory = {C.Available, C.Available, 0, 0};
    Launcher.ParamFileName = ShortFromCStr("list.txt");
    Launcher.ResultCode = 1;
    int32_t DataLen = 0;
    EXPECT_EQ(LoadParamFile(&DataLen), C.Loaded) << C.Name;
    EXPECT_EQ(Launcher.ResultCode, 1) << C.Name;
    EXPECT_EQ(Fake.OpenFiles, 0) << C.Name;
    if (C.Loaded) {
      EXPECT_EQ(DataLen, 10);
      FreeBlock(Launcher.CmdBuf);
    } else {
      EXPECT_EQ(Fake.LiveBlocks, 0) << C.Name;
      for (const std::string& E : Fake.Events)
        EXPECT_NE(E.rfind("alloc", 0), 0u) << C.Name;
    }
  }
}

TEST(ParamFile, HeapRefusalIsReportedWithCode8) {
  ResetFake("Trelm prog.exe list.txt");
  Fake.Files["list.txt"] = FakeFile{false, "abc"};
  Fake.HeapRefuses = true;
  Launcher.ParamFileName = ShortFromCStr("list.txt");
  int32_t DataLen = 0;
  EXPECT_FALSE(LoadParamFile(&DataLen));
  EXPECT_EQ(Launcher.ResultCode, 8);
  EXPECT_EQ(Fake.Stderr, "Trelm: not enough memory for the parameter file\r\n");
  EXPECT_EQ(Fake.OpenFiles, 0);
}

TEST(ParamFile, FileHandedOutInPiecesIsReadWhole) {
  const std::string Content = "-o out.exe\r\n-I inc\r\n";
  FakeFile File{false, Content};
  File.Piece = 4;
  LoadResult R = LoadFoldAppend("Trelm prog.exe list.txt", File);
  ASSERT_TRUE(R.Loaded);
  EXPECT_EQ(R.Text, "-o out.exe -I inc  ");
  // Each request asks for what is still missing, until the size is reached.
  std::vector<std::string> Reads;
  for (const std::string& E : Fake.Events)
    if (E.rfind("read", 0) == 0) Reads.push_back(E);
  const std::vector<std::string> Expected = {"read 20", "read 16", "read 12", "read 8", "read 4"};
  EXPECT_EQ(Reads, Expected);
}

TEST(ParamFile, ExtraArgumentsAreAppendedWhateverTheMemoryFiguresSay) {
  // Once CmdBuf is allocated, the room for the extra arguments is there: no
  // later memory figure may leave them out.
  const std::string CmdLine = "Trelm prog.exe list.txt -v \"x y\"";
  for (uint64_t Available : {uint64_t{0}, static_cast<uint64_t>(CmdLine.size())}) {
    ResetFake(CmdLine);
    Fake.Files["list.txt"] = FakeFile{false, "abc"};
    Launcher.ParamFileName = ShortFromCStr("list.txt");
    int32_t DataLen = 0;
    ASSERT_TRUE(LoadParamFile(&DataLen));
    FlattenBuffer(DataLen);
    Fake.Memory = {Available, Available, 0, 0};
    AppendExtraArgs();
    EXPECT_STREQ(Launcher.CmdBuf, "abc -v x y ") << Available;
    FreeBlock(Launcher.CmdBuf);
  }
}

TEST(MemoryEstimate, SmallerOfVirtualAndBackedLargerWithHeapCapped) {
  struct Case {
    tMemoryFigures F;
    int32_t Result;
  };
  const Case Cases[] = {
      {{1000, 300, 400, 0}, 700},
      {{500, 300, 400, 0}, 500},
      {{500, 300, 400, 900}, 900},
      {{0x80000000ULL, 0x80000000ULL, 0, 0}, 0x7FFFFFFF},
      {{UINT64_MAX, 0xFFFFFFFFULL, 0xFFFFFFFFULL, 0},
       0x7FFFFFFF}, // no 32-bit wrap to a small value
      {{UINT64_MAX, UINT64_MAX, UINT64_MAX, 0}, 0x7FFFFFFF},
      {{0, 0, 0, 0}, 0},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(LargestFreeBlockFrom(C.F), C.Result);
}

} // namespace
