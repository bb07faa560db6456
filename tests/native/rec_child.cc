// A child for the native end-to-end tests: writes the arguments it received,
// each followed by a 0 byte, to the file named by REC_OUT, then ends with
// the status in REC_EXIT, or by the signal in REC_SIGNAL.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int Argc, char** Argv) {
  if (const char* Out = std::getenv("REC_OUT")) {
    if (std::FILE* F = std::fopen(Out, "wb")) {
      for (int I = 0; I < Argc; ++I)
        std::fwrite(Argv[I], 1, std::strlen(Argv[I]) + 1, F);
      std::fclose(F);
    }
  }
  if (const char* Sig = std::getenv("REC_SIGNAL")) std::raise(std::atoi(Sig));
  const char* Exit = std::getenv("REC_EXIT");
  return Exit ? std::atoi(Exit) : 0;
}
