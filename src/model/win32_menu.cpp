#include "model/win32_menu.h"

namespace hop {

void AppendRows(HMENU menu, std::span<const MenuRow> rows) {
  for (const MenuRow& row : rows) {
    switch (row.kind) {
      case MenuRow::Kind::Heading:
        ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, row.text.c_str());
        break;
      case MenuRow::Kind::Separator:
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuRow::Kind::Entry:
        ::AppendMenuW(menu, MF_STRING, row.id, row.text.c_str());
        break;
    }
  }
}

win32::UniqueMenu RenderMenu(std::span<const MenuRow> rows) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (menu) AppendRows(menu.get(), rows);
  return menu;
}

}  // namespace hop
