// Whole-file reads and writes for the end-to-end tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadAll(const std::filesystem::path& P) {
  std::ifstream In(P, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

inline void WriteAll(const std::filesystem::path& P, const std::string& Bytes) {
  std::ofstream(P, std::ios::binary) << Bytes;
}
