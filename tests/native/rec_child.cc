// A child for the native end-to-end tests: writes the arguments it received,
// each followed by a 0 byte, to the file named by REC_OUT. Then:
// - with REC_CATCH, it catches SIGINT, SIGQUIT, SIGTERM and SIGHUP, and on the first
//   one it gets ends a moment later with 40 plus the signal's number;
// - with REC_SLEEP_MS it waits that long (for a signal, with REC_CATCH);
// - once its handlers are in place it creates the file named by REC_READY;
// - it ends with the status in REC_EXIT, or by the signal in REC_SIGNAL.
#include <time.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t Caught = 0;

void Catch(int Signal) {
  Caught = Signal;
}

void SleepMs(long Ms) {
  timespec T{Ms / 1000, (Ms % 1000) * 1000000};
  nanosleep(&T, nullptr);
}

} // namespace

int main(int Argc, char** Argv) {
  if (const char* Out = std::getenv("REC_OUT")) {
    if (std::FILE* F = std::fopen(Out, "wb")) {
      for (int I = 0; I < Argc; ++I)
        std::fwrite(Argv[I], 1, std::strlen(Argv[I]) + 1, F);
      std::fclose(F);
    }
  }
  bool CatchSignals = std::getenv("REC_CATCH") != nullptr;
  if (CatchSignals)
    for (int Signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP})
      std::signal(Signal, Catch);
  if (const char* Ready = std::getenv("REC_READY"))
    if (std::FILE* F = std::fopen(Ready, "wb")) std::fclose(F);
  if (const char* Sleep = std::getenv("REC_SLEEP_MS")) {
    for (long Left = std::atol(Sleep); Left > 0 && Caught == 0; Left -= 10)
      SleepMs(10);
    if (Caught != 0) {
      SleepMs(200);
      return 40 + Caught;
    }
  }
  if (const char* Sig = std::getenv("REC_SIGNAL")) std::raise(std::atoi(Sig));
  const char* Exit = std::getenv("REC_EXIT");
  return Exit ? std::atoi(Exit) : 0;
}
