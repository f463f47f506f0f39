// The log the dialog host and the contract stand-ins write for the end-to-end tests: one line
// per event, flushed at once ("ready <hwnd>", "folder <us> <path>", "result ...").
#pragma once

#include <windows.h>

#include <string>

namespace host {

bool OpenLog(const wchar_t* path);  // appends
void CloseLog();
void Log(const std::string& line);
std::string Utf8(const std::wstring& text);
void LogReady(HWND dialog);
void LogFolder(const std::wstring& folder);

}  // namespace host
