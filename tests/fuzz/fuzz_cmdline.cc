// The child's command line: never written past its buffer, refused exactly
// when the quoted path, the blank, the text and the 0 byte do not fit, and
// when it fits, exactly those bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "launch/launch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 3) return 0;
  int32_t Cap = (Data[0] | (Data[1] << 8)) % 600;
  size_t Split = Data[2] % (Size - 2);
  std::string Path(reinterpret_cast<const char*>(Data + 3), Split);
  std::string Args(reinterpret_cast<const char*>(Data + 3 + Split), Size - 3 - Split);
  Path = Path.c_str(); // up to a 0 byte
  Args = Args.c_str();

  std::vector<char> Buf(static_cast<size_t>(Cap)); // exact size: the sanitizer guards its end
  bool Fits = Path.size() + Args.size() + 4 <= static_cast<size_t>(Cap);
  bool Built = BuildChildCmdLine(Buf.data(), Cap, Path.c_str(), Args.c_str());
  if (Built != Fits) abort();
  if (Built && std::string(Buf.data()) != "\"" + Path + "\" " + Args) abort();
  return 0;
}
