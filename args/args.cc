#include "args/args.h"

#include "platform/self.h"

namespace {

constexpr char kQuote = '"';

bool IsSeparator(char C) {
  auto B = static_cast<unsigned char>(C);
  return B >= 0x01 && B <= 0x20;
}

bool EndsArgument(char C) {
  return static_cast<unsigned char>(C) <= 0x20;
}

} // namespace

const char* SplitNextArgInto(const char* Pos, char* Out, int32_t Cap, int32_t* Len) {
  // Separators and empty pairs of quotes before the argument are skipped.
  for (;;) {
    while (IsSeparator(*Pos))
      ++Pos;
    if (Pos[0] == kQuote && Pos[1] == kQuote) {
      Pos += 2;
      continue;
    }
    break;
  }

  int32_t N = 0;
  auto Put = [&](char C) {
    if (N < Cap) Out[N] = C;
    ++N;
  };
  while (!EndsArgument(*Pos)) {
    if (*Pos != kQuote) {
      Put(*Pos++);
      continue;
    }
    ++Pos; // opening quote
    while (*Pos != kQuote && *Pos != 0)
      Put(*Pos++);
    if (*Pos == kQuote) ++Pos; // closing quote; an open section ends with the text
  }
  *Len = N;
  return Pos;
}

const char* SplitNextArg(const char* Pos, tShortStr& Arg) {
  int32_t Len = 0;
  Pos = SplitNextArgInto(Pos, Arg.Data, kShortStrMax, &Len);
  Arg.Len = static_cast<uint8_t>(Len < kShortStrMax ? Len : kShortStrMax);
  Arg.Cut = Len > kShortStrMax;
  return Pos;
}

int32_t ArgCountIn(const char* CmdLine) {
  int32_t Count = -1;
  for (;;) {
    int32_t Len = 0;
    CmdLine = SplitNextArgInto(CmdLine, nullptr, 0, &Len);
    if (Len == 0) return Count;
    ++Count;
  }
}

tShortStr ArgStrIn(const char* CmdLine, int32_t Index) {
  tShortStr Arg{};
  if (Index < 0) return Arg;
  for (int32_t Remaining = Index;; --Remaining) {
    CmdLine = SplitNextArg(CmdLine, Arg);
    if (Remaining == 0 || Arg.Len == 0) return Arg;
  }
}

int32_t ArgCount() {
  return ArgCountIn(OwnCommandLine());
}

tShortStr ArgStr(int32_t Index) {
  if (Index != 0) return ArgStrIn(OwnCommandLine(), Index);
  char Path[kModulePathBuf];
  if (!OwnModulePath(Path)) Path[0] = 0;
  return ShortFromCStr(Path);
}
