#include "explorer/open_folders_source.h"

namespace hop {

MenuSection OpenFoldersSource::Collect(const SourceRead& read) {
  return {std::wstring(kOpenFoldersHeading), Origin::OpenFolder,
          OpenFolders(windows_.Read(read.deadline)), kMaxOpenFolders};
}

}  // namespace hop
