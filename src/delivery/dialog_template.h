// Reads a control's text out of a dialog template as resources store it (DLGTEMPLATE or
// DLGTEMPLATEEX), so the system's own dialog texts can be had without creating the dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace hop {

// The text of the control with this id; nothing when the template has none or is malformed.
std::optional<std::wstring> TemplateControlText(std::span<const std::uint8_t> dialog, int id);

// String `id` of a string-table block as resources store it (block id / 16 + 1: sixteen counted
// UTF-16 strings); nothing when it is empty or the block is malformed.
std::optional<std::wstring> BlockString(std::span<const std::uint8_t> block, unsigned id);

}  // namespace hop
