#include "delivery/delivery_notice.h"

namespace hop {
namespace {

// The path as quoted in a notice: a long one keeps its start and its end, so the drive and the
// last folder both show and the notice fits the balloon.
std::wstring Quoted(std::wstring_view path) {
  constexpr std::size_t kKeep = 60;
  if (path.size() <= 2 * kKeep) return L"\"" + std::wstring(path) + L"\"";
  return L"\"" + std::wstring(path.substr(0, kKeep)) + L"\u2026" +
         std::wstring(path.substr(path.size() - kKeep)) + L"\"";
}

}  // namespace

std::optional<std::wstring> DeliveryNotice(DeliveryOutcome outcome, std::wstring_view path) {
  switch (outcome) {
    case DeliveryOutcome::Delivered:
      return std::nullopt;
    case DeliveryOutcome::NoPath:
      return L"This item holds no path.";
    case DeliveryOutcome::NoDialog:
      return L"No file dialog is open. Open one (File > Open or Save As), then choose the path "
             L"again.";
    case DeliveryOutcome::PathMissing:
      return Quoted(path) +
             L" does not exist or cannot be reached (a deleted folder, an absent drive, an "
             L"offline share). Nothing was typed.";
    case DeliveryOutcome::Busy:
      return L"The file dialog is busy: a message is open over it. Close the message, then "
             L"choose the path again.";
    case DeliveryOutcome::HigherRights:
      return L"The file dialog belongs to a program running with higher rights than Hopdirs "
             L"(as administrator). Windows does not let Hopdirs type into it.";
    case DeliveryOutcome::NotActivated:
      return L"The file dialog could not be brought to the front. Nothing was typed.";
    case DeliveryOutcome::NoField:
    case DeliveryOutcome::NotTaken:
      return L"The file dialog's name field did not take the path.";
    case DeliveryOutcome::NotInTree:
      return Quoted(path) +
             L" cannot be shown in this folder dialog: its tree of folders starts elsewhere.";
    case DeliveryOutcome::NoClipboard:
      return L"Another program is holding the clipboard, so the path was not pasted. Try "
             L"again, or turn off \"Clipboard\" to have the path typed.";
    case DeliveryOutcome::KeysHeld:
      return L"Ctrl, Alt, Shift or the Windows key was held down, so nothing was typed (the keys "
             L"would have pressed the dialog's buttons). Let go of them and choose the path "
             L"again.";
    case DeliveryOutcome::TypedInstead:
      return L"The program that owns the clipboard was too slow to hand over its contents, so "
             L"the path was typed instead. Your clipboard is unchanged.";
    case DeliveryOutcome::ClipboardLost:
      return L"The clipboard could not be put back: it now holds " + Quoted(path) + L".";
  }
  return std::nullopt;
}

std::wstring RecentGoneNotice(std::wstring_view path) {
  return Quoted(path) +
         L" no longer exists or cannot be reached, so it was taken out of the recent folders. "
         L"Nothing was typed.";
}

}  // namespace hop
