// Twins of Windows 10/11's file dialogs for the dialog host, and the host's log they write to.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// One line of the host's log, flushed at once; a dialog's window and folders as log lines.
void Log(const std::string& line);
std::string Utf8(const std::wstring& text);
void LogReady(HWND dialog);
void LogFolder(const std::wstring& folder);

// KIND: twin-save, twin-open, twin-picker (the common item dialogs), twin-browse (the new-style
// Browse for Folder). Runs until the twin is confirmed or cancelled.
int RunTwin(const std::wstring& kind, const wchar_t* start, const wchar_t* title,
            const wchar_t* suggested);

}  // namespace host
