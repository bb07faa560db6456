#include "launcher/locate.h"

#include "launcher/launcher.h"
#include "launcher/state.h"
#include "platform/self.h"

namespace {

bool SeparatesDir(char C) {
  return C == '\\' || C == ':';
}

char UpperAscii(char C) {
  return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C;
}

} // namespace

tShortStr ExtractExt(const tShortStr& Name) {
  tShortStr Ext{};
  for (int32_t I = Name.Len - 1; I >= 0; --I) {
    char C = Name.Data[I];
    if (SeparatesDir(C)) break;
    if (C == '.') {
      ShortAssign(Ext, Name.Data + I, Name.Len - I);
      break;
    }
  }
  return Ext;
}

tShortStr ExtractDir(const tShortStr& Name) {
  int32_t P = Name.Len;
  while (P > 0 && !SeparatesDir(Name.Data[P - 1]))
    --P;
  // P counts from 1: the separator's position. A backslash is dropped unless
  // a colon or another backslash stands before it ('C:\', '\\').
  if (P > 1 && Name.Data[P - 1] == '\\' && !SeparatesDir(Name.Data[P - 2])) --P;
  tShortStr Dir{};
  ShortAssign(Dir, Name.Data, P);
  return Dir;
}

const char* FindEnvValueIn(const char* Block, const tShortStr& Name) {
  if (Block == nullptr) return nullptr; // the system could not hand one out
  for (const char* Entry = Block; *Entry != 0;) {
    int32_t I = 0;
    while (I < Name.Len && Entry[I] != 0 && UpperAscii(Entry[I]) == UpperAscii(Name.Data[I]))
      ++I;
    if (I == Name.Len && Entry[I] == '=') return Entry + I + 1;
    while (*Entry != 0)
      ++Entry;
    ++Entry;
  }
  return nullptr;
}

const char* FindEnvValue(const tShortStr& Name) {
  return FindEnvValueIn(EnvironmentBlock(), Name);
}

tShortStr NextPathDir(const char* List, int32_t& Pos) {
  tShortStr Dir{};
  if (List == nullptr) return Dir;
  while (List[Pos] != 0) {
    int32_t Start = Pos;
    while (List[Pos] != 0 && List[Pos] != ';')
      ++Pos;
    int32_t Len = Pos - Start;
    if (List[Pos] == ';') ++Pos;
    if (Len == 0) continue;
    bool HasBackslash = List[Start + Len - 1] == '\\';
    if (Len + (HasBackslash ? 0 : 1) > kShortStrMax) continue;
    ShortAssign(Dir, List + Start, Len);
    if (!HasBackslash) ShortAppend(Dir, "\\", 1);
    return Dir;
  }
  return Dir;
}

// The program is looked for by these rules:
// - a name without an extension gets ".exe", in lower case;
// - a name holding a backslash or a colon names its directory: it is used
//   as it stands, never searched for (a slash is an ordinary byte);
// - otherwise the bare name is tried first, in the current directory;
// - then each PATH element in order, joined to the name by a backslash;
//   empty elements and elements too long for a directory are passed over;
// - the first candidate that is a plain file wins; directories never count;
// - a candidate that would not fit into 255 bytes is never tried.
// When nothing is found the name stays as after its extension was added.
void LocateProgram() {
  tLauncherState& L = Launcher;
  if (ExtractExt(L.ProgName).Len == 0) ShortAppend(L.ProgName, ".exe", 4);
  if (L.ProgName.Cut || ExtractDir(L.ProgName).Len != 0) return;

  L.PathDir = tShortStr{};
  L.WritePos = 0;
  L.PathList = FindEnvValue(ShortFromCStr("PATH"));
  for (;;) {
    tShortStr Candidate = L.PathDir;
    ShortAppendStr(Candidate, L.ProgName);
    if (!Candidate.Cut && FileExistsPlain(Candidate)) {
      L.ProgName = Candidate;
      return;
    }
    L.PathDir = NextPathDir(L.PathList, L.WritePos);
    if (L.PathDir.Len == 0) return;
  }
}
