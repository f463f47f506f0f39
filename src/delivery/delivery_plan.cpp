#include "delivery/delivery_plan.h"

#include <algorithm>
#include <vector>

namespace hop {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// The path up to and with its last separator; empty for a bare name.
std::wstring FolderPart(std::wstring_view path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  return std::wstring(path.substr(0, cut));
}

}  // namespace

bool IsShellLocation(std::wstring_view path) {
  constexpr std::wstring_view kShell = L"shell:";
  if (path.starts_with(L"::")) return true;
  if (path.size() < kShell.size()) return false;
  const auto lower = [](wchar_t c) {
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
  };
  return std::equal(kShell.begin(), kShell.end(), path.begin(),
                    [&](wchar_t want, wchar_t c) { return lower(c) == want; });
}

DeliveryPlan PlanFor(std::wstring_view path, PathKind kind, DialogKind dialog) {
  DeliveryPlan plan;
  const bool folderOnly =
      dialog == DialogKind::FolderPicker || dialog == DialogKind::BrowseForFolder;
  if (kind == PathKind::Unchecked) {
    plan.typed = path;
    plan.confirm = dialog == DialogKind::Open;
  } else if (folderOnly) {
    plan.typed = kind == PathKind::Folder ? std::wstring(path) : FolderPart(path);
    // "C:\" keeps its separator; other folders are named without one, as a picker returns them.
    if (plan.typed.size() > 3 && IsSeparator(plan.typed.back())) plan.typed.pop_back();
    plan.selectInTree = dialog == DialogKind::BrowseForFolder;
    plan.confirm = false;
  } else if (kind == PathKind::Folder) {
    plan.typed = path;
    if (!IsSeparator(plan.typed.back())) plan.typed += L'\\';
  } else if (dialog == DialogKind::Open) {
    plan.typed = path;
    plan.expectClose = true;
  } else {
    plan.typed = FolderPart(path);
    plan.leaveName = std::wstring(path.substr(plan.typed.size()));
    plan.confirm = !plan.typed.empty();
  }
  return plan;
}

bool TreeItemNames(std::wstring_view itemText, std::wstring_view folder) {
  const auto lowered = [](std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
    return out;
  };
  while (folder.size() > 3 && IsSeparator(folder.back())) folder.remove_suffix(1);
  const std::wstring item = lowered(itemText);
  if (folder.size() >= 2 && folder.size() <= 3 && folder[1] == L':') {
    const std::wstring drive = lowered(folder.substr(0, 2));
    return item == drive || item == drive + L'\\' ||
           item.find(L"(" + drive + L")") != std::wstring::npos;
  }
  std::size_t cut = folder.size();
  while (cut > 0 && !IsSeparator(folder[cut - 1])) --cut;
  return !item.empty() && item == lowered(folder.substr(cut));
}

bool IsRelative(std::wstring_view path) {
  const bool drive = path.size() >= 2 && path[1] == L':';
  return !path.empty() && !drive && !IsSeparator(path.front()) && path.front() != L'%' &&
         !IsShellLocation(path);
}

std::wstring Resolved(std::wstring_view folder, std::wstring_view relative) {
  std::wstring joined(folder);
  if (!joined.empty() && !IsSeparator(joined.back())) joined += L'\\';
  joined += relative;
  // The root (a drive, or a share's server and name) is never climbed past.
  const bool share = joined.size() >= 2 && IsSeparator(joined[0]) && IsSeparator(joined[1]);
  const std::size_t root = share ? 2 : 1;
  std::vector<std::wstring> steps;
  std::wstring step;
  for (std::size_t i = share ? 2 : 0; i <= joined.size(); ++i) {
    if (i < joined.size() && !IsSeparator(joined[i])) {
      step += joined[i];
      continue;
    }
    if (step == L"..") {
      if (steps.size() > root) steps.pop_back();
    } else if (!step.empty() && step != L".") {
      steps.push_back(step);
    }
    step.clear();
  }
  std::wstring out = share ? L"\\\\" : L"";
  for (std::size_t k = 0; k < steps.size(); ++k) out += (k ? L"\\" : L"") + steps[k];
  if (IsSeparator(joined.back()) || steps.size() == root) out += L'\\';
  return out;
}

}  // namespace hop
