// The PATH walk, the search and the name helpers over any bytes: every list
// ends, no read goes outside the strings (exact-size copies for the
// sanitizer), no directory is ever longer than 255 bytes, and no candidate
// the search tries is cut.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "launcher/locate.h"
#include "launcher/state.h"
#include "tests/unit/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // The first bytes, up to 255, are a name; the rest is a PATH value.
  size_t NameLen = Size == 0 ? 0 : Data[0] % 256;
  if (NameLen + 1 > Size) NameLen = Size == 0 ? 0 : Size - 1;
  const char* Bytes = reinterpret_cast<const char*>(Data);
  tShortStr Name{};
  // A name comes from a command line, so it holds no 0 byte.
  if (Size > 0) ShortAssign(Name, Bytes + 1, static_cast<int32_t>(strnlen(Bytes + 1, NameLen)));

  tShortStr Ext = ExtractExt(Name);
  if (Ext.Len > Name.Len || (Ext.Len > 0 && Ext.Data[0] != '.')) abort();
  tShortStr Dir = ExtractDir(Name);
  if (Dir.Len > Name.Len || std::memcmp(Dir.Data, Name.Data, Dir.Len) != 0) abort();

  size_t Rest = Size > NameLen + 1 ? Size - NameLen - 1 : 0;
  const char* RestBytes = Bytes + (Size - Rest);
  size_t ListLen = strnlen(RestBytes, Rest);
  std::vector<char> List(RestBytes, RestBytes + ListLen);
  List.push_back(0);

  int32_t Pos = 0;
  size_t Steps = 0;
  for (;;) {
    int32_t Before = Pos;
    tShortStr D = NextPathDir(List.data(), Pos);
    if (Pos < Before || Pos > static_cast<int32_t>(ListLen)) abort();
    if (D.Len == 0) break;
    if (D.Cut || D.Data[D.Len - 1] != '\\' || Pos == Before) abort();
    if (++Steps > ListLen + 1) abort(); // the walk must end
  }

  // The whole search over that PATH, with no file anywhere: every candidate
  // tried is a directory followed by the whole completed name, never cut to
  // fit 255 bytes, and a name that did not fit is not searched at all.
  ResetFake("Trelm");
  Fake.EnvBlock = "PATH=" + std::string(List.data()) + std::string(2, '\0');
  Launcher.ProgName = Name;
  LocateProgram();
  const tShortStr& Base = Launcher.ProgName;
  if (Base.Cut && !Fake.Events.empty()) abort();
  for (const std::string& Event : Fake.Events) {
    std::string Tried = Event.substr(5); // "find NAME"
    if (Tried.size() > 255 || Tried.size() < Base.Len ||
        Tried.compare(Tried.size() - Base.Len, Base.Len, Base.Data, Base.Len) != 0)
      abort();
  }

  // The same bytes as an environment block: entries split at 0 bytes.
  std::vector<char> Block(RestBytes, RestBytes + Rest);
  Block.push_back(0);
  Block.push_back(0);
  const char* Value = FindEnvValueIn(Block.data(), ShortFromCStr("PATH"));
  if (Value != nullptr && (Value < Block.data() || Value >= Block.data() + Block.size())) abort();
  return 0;
}
