// The fold never grows the text, leaves no byte below 0x20, no two blanks
// in a row and no backslash right after a blank, changes nothing when run
// twice, and gives exactly what a plain byte-by-byte scanner gives.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "launcher/param_file.h"
#include "launcher/state.h"

namespace {

// The scanner one byte per turn, as simple as it can be written.
std::vector<uint8_t> Reference(const uint8_t* In, size_t Size) {
  std::vector<uint8_t> Out;
  bool AfterBlank = false;
  for (size_t I = 0; I < Size; ++I) {
    uint8_t C = In[I];
    if (C == 0x09 || C == 0x0A || C == 0x0D) C = 0x20;
    if (AfterBlank) {
      if (C <= 0x20 || C == '\\') continue;
      AfterBlank = false;
    }
    if (C < 0x20) continue;
    Out.push_back(C);
    AfterBlank = C == 0x20;
  }
  return Out;
}

std::vector<uint8_t> Fold(std::vector<uint8_t> Buf) {
  Launcher.CmdBuf = reinterpret_cast<char*>(Buf.data());
  FlattenBuffer(static_cast<int32_t>(Buf.size()));
  Buf.resize(static_cast<size_t>(Launcher.WritePos));
  return Buf;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::vector<uint8_t> Once = Fold(std::vector<uint8_t>(Data, Data + Size));
  if (Once.size() > Size) abort();
  for (size_t I = 0; I < Once.size(); ++I) {
    if (Once[I] < 0x20) abort();
    if (I > 0 && Once[I - 1] == 0x20 && (Once[I] == 0x20 || Once[I] == '\\')) abort();
  }
  if (Fold(Once) != Once) abort();
  if (Once != Reference(Data, Size)) abort();
  return 0;
}
