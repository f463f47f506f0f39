// The main window's part in the path menus: their sections and what follows a delivery.
#include <memory>

#include "explorer/open_folders_source.h"
#include "settings/recent_settings.h"
#include "shell/main_window.h"

namespace hop {

// The sections after the paths, in the order the menus show them: a new source is one more
// line here.
void MainWindow::ListSources() {
  sources_.push_back(std::make_unique<OpenFoldersSource>());
  sources_.push_back(std::make_unique<RecentSource>(recent_));
}

Menu MainWindow::BuildMenu(const std::wstring& program) {
  std::vector<FolderSource*> sources;
  for (const auto& source : sources_) sources.push_back(source.get());
  return Menu(paths_, ReadSections(sources, program));
}

bool MainWindow::KeepRecent(DeliveryOutcome outcome, Origin origin, const std::wstring& path) {
  const auto& target = delivery_.LastTarget();
  const bool arrived =
      outcome == DeliveryOutcome::Delivered || outcome == DeliveryOutcome::TypedInstead;
  const bool known = target.kind == PathKind::Folder || target.kind == PathKind::File;
  const bool gone = outcome == DeliveryOutcome::PathMissing && origin == Origin::Recent;
  const bool changed =
      (arrived && known &&
       recent_.Record(ArrivedFolder(target.path, target.kind == PathKind::File), target.program)) ||
      (gone && recent_.Drop(path));
  if (changed) WriteRecentSettings(settings_, recent_);
  return gone && changed;
}

void MainWindow::mnuClearRecent_Click() {
  if (recent_.Clear()) WriteRecentSettings(settings_, recent_);
}

}  // namespace hop
