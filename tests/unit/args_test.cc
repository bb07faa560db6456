#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "args/args.h"
#include "tests/unit/fake_platform.h"

namespace {

std::string Str(const tShortStr& S) {
  return std::string(S.Data, S.Len);
}

struct SplitCase {
  std::string Line;
  int32_t Count;
  std::vector<std::string> Args; // arguments 1, 2, ...
};

// Every case is checked both ways: ArgCount and each ArgStr, and that the
// argument after the last is empty.
void CheckSplit(const SplitCase& C) {
  SCOPED_TRACE("command line [" + C.Line + "]");
  ResetFake(C.Line);
  EXPECT_EQ(ArgCount(), C.Count);
  std::vector<std::string> Got;
  for (int32_t I = 1; I <= C.Count; ++I)
    Got.push_back(Str(ArgStr(I)));
  EXPECT_EQ(Got, C.Args);
  EXPECT_EQ(Str(ArgStr(C.Count < 0 ? 1 : C.Count + 1)), "");
}

const std::string Q = "\"";

TEST(ArgSplit, Table) {
  const SplitCase Cases[] = {
      {"", -1, {}},
      {"   ", -1, {}},
      {"Trelm", 0, {}},
      {"Trelm a b", 2, {"a", "b"}},
      {Q + "C:\\Program Files\\Tools\\Trelm.exe" + Q + " prog.exe " + Q + "my list.txt" + Q + " x",
       3,
       {"prog.exe", "my list.txt", "x"}},
      {"Trelm \"\" a", 1, {"a"}},
      {"Trelm \"\" \"\" \"\"", 0, {}},
      {"Trelm a\"\" b", 2, {"a", "b"}},
      {"Trelm a\"\"b", 1, {"ab"}},
      {"Trelm a\"b c\"d e", 2, {"ab cd", "e"}},
      {"Trelm \"a\"b\"c\"", 1, {"abc"}},
      {"Trelm \"\"\"a b\"", 1, {"a b"}},
      {"Trelm \"my list.txt", 1, {"my list.txt"}},
      {"Trelm a \"", 1, {"a"}},
      {"Trelm a \" ", 2, {"a", " "}},
      {"Trelm a\\\"b c", 1, {"a\\b c"}},
      {"Trelm\ta\r\nb", 2, {"a", "b"}},
      {"Trelm \x01"
       "a\x1f"
       "b",
       2,
       {"a", "b"}},
      {"Trelm \x7f\x80\xff \xe4", 2, {"\x7f\x80\xff", "\xe4"}},
      {"Trelm a b \"\"   ", 2, {"a", "b"}},
      {"Trelm \"a\tb\" c", 2, {"a\tb", "c"}},
  };
  for (const SplitCase& C : Cases)
    CheckSplit(C);
}

TEST(ArgSplit, IndexZeroIsTheModulePathAndNegativeIsEmpty) {
  ResetFake("Trelm a b");
  EXPECT_EQ(Str(ArgStr(0)), "C:\\Tools\\trelm.exe");
  EXPECT_EQ(Str(ArgStr(-1)), "");
  EXPECT_EQ(Str(ArgStr(3)), "");
  Fake.ModulePathFails = true;
  EXPECT_EQ(Str(ArgStr(0)), "");
}

TEST(ArgSplit, LongArgumentsAreConsumedWholeAndMarkedCut) {
  const std::string Long(300, 'x');
  ResetFake("Trelm " + Long + " second \"" + std::string(255, 'y') + "\"");
  ASSERT_EQ(ArgCount(), 3);
  tShortStr First = ArgStr(1);
  EXPECT_EQ(First.Len, 255);
  EXPECT_TRUE(First.Cut);
  EXPECT_EQ(Str(First), Long.substr(0, 255));
  EXPECT_EQ(Str(ArgStr(2)), "second"); // numbered alike after the long one
  tShortStr Third = ArgStr(3);
  EXPECT_EQ(Third.Len, 255);
  EXPECT_FALSE(Third.Cut); // exactly 255 bytes fit
}

TEST(ArgSplit, SplitIntoReportsTheWholeLengthAndStopsOnTheEnd) {
  const char* Line = "  \"a b\"cd  e";
  char Out[2];
  int32_t Len = 0;
  const char* Pos = SplitNextArgInto(Line, Out, 2, &Len);
  EXPECT_EQ(Len, 5);
  EXPECT_EQ(std::string(Out, 2), "a ");
  EXPECT_EQ(*Pos, ' ');
  Pos = SplitNextArgInto(Pos, Out, 2, &Len);
  EXPECT_EQ(Len, 1);
  EXPECT_EQ(*Pos, 0);
  EXPECT_EQ(SplitNextArgInto(Pos, Out, 2, &Len), Pos);
  EXPECT_EQ(Len, 0);
}

} // namespace
