// Whatever the bytes: the splitter consumes every argument whole, ArgCount
// and ArgStr number the arguments alike, no argument holds a double quote,
// and nothing is read past the 0 byte (the copy is exactly as long as the
// text, so the sanitizer sees any such read).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "args/args.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  size_t Len = strnlen(reinterpret_cast<const char*>(Data), Size);
  std::vector<char> Text(Data, Data + Len);
  Text.push_back(0);
  const char* Line = Text.data();

  std::vector<std::vector<char>> Args;
  const char* Pos = Line;
  for (;;) {
    int32_t N = 0;
    SplitNextArgInto(Pos, nullptr, 0, &N);
    std::vector<char> Arg(static_cast<size_t>(N));
    int32_t Again = 0;
    const char* Next = SplitNextArgInto(Pos, Arg.data(), N, &Again);
    if (Again != N) abort();
    if (N == 0) {
      if (Next != Pos && *Next != 0) abort(); // an empty argument only at the end
      break;
    }
    if (Next <= Pos) abort(); // always moves on
    if (std::memchr(Arg.data(), '"', Arg.size()) != nullptr) abort();
    Args.push_back(std::move(Arg));
    Pos = Next;
  }

  int32_t Count = ArgCountIn(Line);
  if (Count != static_cast<int32_t>(Args.size()) - 1) abort();
  for (int32_t I = 1; I <= Count && I < 64; ++I) {
    tShortStr S = ArgStrIn(Line, I);
    const std::vector<char>& Whole = Args[static_cast<size_t>(I)];
    size_t Kept = Whole.size() < 255 ? Whole.size() : 255;
    if (S.Len != Kept || S.Cut != (Whole.size() > 255)) abort();
    if (std::memcmp(S.Data, Whole.data(), Kept) != 0) abort();
  }
  if (ArgStrIn(Line, Count + 1).Len != 0) abort();
  return 0;
}
