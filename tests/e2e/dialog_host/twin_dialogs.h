// Twins of Windows 10/11's file dialogs for the dialog host.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// KIND: twin-save, twin-open, twin-picker (the common item dialogs), twin-browse (the new-style
// Browse for Folder). Runs until the twin is confirmed or cancelled.
int RunTwin(const std::wstring& kind, const wchar_t* start, const wchar_t* title,
            const wchar_t* suggested);

}  // namespace host
