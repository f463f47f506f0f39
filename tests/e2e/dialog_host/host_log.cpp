#include "host_log.h"

#include <cstdio>

namespace host {
namespace {

FILE* logFile = nullptr;

long long Microseconds() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return now.QuadPart / frequency.QuadPart * 1000000 +
         now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

}  // namespace

bool OpenLog(const wchar_t* path) {
  logFile = ::_wfopen(path, L"ab");
  return logFile != nullptr;
}

void CloseLog() {
  if (logFile) std::fclose(logFile);
  logFile = nullptr;
}

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

void Log(const std::string& line) {
  std::fprintf(logFile, "%s\n", line.c_str());
  std::fflush(logFile);
}

void LogReady(HWND dialog) {
  Log("ready " + std::to_string(reinterpret_cast<unsigned long long>(dialog)));
}

void LogFolder(const std::wstring& folder) {
  Log("folder " + std::to_string(Microseconds()) + " " + Utf8(folder));
}

}  // namespace host
