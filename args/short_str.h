// Counted strings of at most 255 bytes, the form every name and single
// argument is held in.
#pragma once

#include <cstdint>

constexpr int32_t kShortStrMax = 255;

// A length, the bytes, and a mark that an assignment or append had to drop
// bytes. A cut name must never be acted on, so the mark travels with it.
struct tShortStr {
  uint8_t Len;
  bool Cut;
  char Data[kShortStrMax];
};

// Keeps the first 255 bytes of Text[0..Count); marks the string cut when
// more were given.
void ShortAssign(tShortStr& Str, const char* Text, int32_t Count);

// Appends until 255 bytes are reached and drops the rest, marking the string
// cut when anything was dropped.
void ShortAppend(tShortStr& Str, const char* Text, int32_t Count);

// Appends Tail; the result is cut when Tail already was.
void ShortAppendStr(tShortStr& Str, const tShortStr& Tail);

// Str followed by a 0 byte. Buf holds 256 bytes, so it always fits.
void ShortToCStr(const tShortStr& Str, char (&Buf)[kShortStrMax + 1]);

// Text up to its 0 byte, held as a counted string (cut past 255 bytes).
tShortStr ShortFromCStr(const char* Text);
