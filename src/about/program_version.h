// The description and version of a module, from its version resource.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace hop {

struct ProgramVersion {
  std::wstring description;  // FileDescription
  unsigned major = 0;
  unsigned minor = 0;
  unsigned revision = 0;
};

// Nothing when the module has no readable version resource.
std::optional<ProgramVersion> ReadProgramVersion(HMODULE module);

}  // namespace hop
