#include "args/short_str.h"

#include <cstring>

void ShortAssign(tShortStr& Str, const char* Text, int32_t Count) {
  Str.Len = 0;
  Str.Cut = false;
  ShortAppend(Str, Text, Count);
}

void ShortAppend(tShortStr& Str, const char* Text, int32_t Count) {
  int32_t Room = kShortStrMax - Str.Len;
  int32_t Taken = Count < Room ? Count : Room;
  if (Taken > 0) std::memcpy(Str.Data + Str.Len, Text, static_cast<size_t>(Taken));
  Str.Len = static_cast<uint8_t>(Str.Len + Taken);
  if (Taken < Count) Str.Cut = true;
}

void ShortAppendStr(tShortStr& Str, const tShortStr& Tail) {
  ShortAppend(Str, Tail.Data, Tail.Len);
  if (Tail.Cut) Str.Cut = true;
}

void ShortToCStr(const tShortStr& Str, char (&Buf)[kShortStrMax + 1]) {
  std::memcpy(Buf, Str.Data, Str.Len);
  Buf[Str.Len] = 0;
}

tShortStr ShortFromCStr(const char* Text) {
  tShortStr Str;
  ShortAssign(Str, Text, static_cast<int32_t>(std::strlen(Text)));
  return Str;
}
