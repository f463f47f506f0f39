#include "about/system_figures.h"

#include <cmath>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/program_version.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

namespace layout = about_layout;

bool FontInstalled(std::wstring_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  const win32::WindowDC screen(nullptr);
  bool found = false;
  ::EnumFontFamiliesExW(
      screen.get(), &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM result) -> int {
        *reinterpret_cast<bool*>(result) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

std::wstring MemoryFigure() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  // The older query's 32-bit fields overflow above 4 GB; this one does not.
  if (!::GlobalMemoryStatusEx(&status)) return L"unknown";
  wchar_t separator[8] = L",";
  if (!::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator,
                         int(std::size(separator)))) {
    separator[0] = L',', separator[1] = L'\0';
  }
  return MemoryText(status.ullTotalPhys, separator);
}

std::wstring ProgramFigure() {
  const auto version = ReadProgramVersion(nullptr);
  if (!version) return std::wstring(kApplicationTitle);
  return ProgramLine(version->description, version->major, version->minor);
}

HFONT CreateLabelFont(UINT dpi) {
  const std::wstring_view face =
      FontInstalled(layout::kFontFace) ? layout::kFontFace : layout::kFallbackFontFace;
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(layout::kFontPoints * dpi / 72.0));
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return ::CreateFontIndirectW(&font);
}

}  // namespace hop
