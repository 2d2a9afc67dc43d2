#include "ui/folder_memory.h"

namespace corvane {

std::string Folder_Of(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string_view::npos) return "";
  // The root keeps its separator ("/", "C:\\").
  const bool root = slash == 0 || (slash == 2 && path[1] == ':');
  return std::string(path.substr(0, root ? slash + 1 : slash));
}

FolderMemory::FolderMemory(SettingsStore* store) : store_(store) {
  if (store_) folder_ = store_->Value(kLastFolderKey);
}

void FolderMemory::File_Used(std::string_view path) {
  std::string folder = Folder_Of(path);
  if (folder.empty() || folder == folder_) return;
  folder_ = std::move(folder);
  if (store_) store_->Set_Value(kLastFolderKey, folder_);
}

}  // namespace corvane
