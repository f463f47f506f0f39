// What a stored path names on the file system, told within a bound.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "delivery/desktop.h"

namespace hop {

// Environment variables are expanded first, as file dialogs do with what is typed. Missing
// also when the answer takes longer than `bound` (an offline share).
PathKind CheckPathKind(std::wstring_view stored, std::chrono::milliseconds bound);
// The path with its environment variables expanded; unchanged where that fails.
std::wstring Expanded(std::wstring_view stored);

}  // namespace hop
