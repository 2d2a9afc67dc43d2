// The folder the file dialogs start in: the folder of the file last opened or saved, kept from
// one run to the next in the user's settings.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The user's settings as text values by key (QSettings in the window program).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value, or "" when there is none.
  virtual std::string Value(std::string_view key) const = 0;
  virtual void Set_Value(std::string_view key, std::string_view value) = 0;
};

inline constexpr std::string_view kLastFolderKey = "files/lastFolder";
// "1" when "Fast programming" was checked in the last run.
inline constexpr std::string_view kFastProgrammingKey = "speed/fastProgramming";

// The folder holding `path` ("/a/b.hex" -> "/a", "C:\\x\\b.hex" -> "C:\\x", "/b.hex" -> "/"),
// or "" for a bare file name.
std::string Folder_Of(std::string_view path);

class FolderMemory {
 public:
  // store: where the folder is kept between runs; null keeps it for this run only.
  explicit FolderMemory(SettingsStore* store);

  // The folder last used, or "" when none is known.
  const std::string& Last_Folder() const { return folder_; }
  // A file was opened or saved: its folder becomes the one to start in. `path` is absolute.
  void File_Used(std::string_view path);

 private:
  SettingsStore* store_;
  std::string folder_;
};

}  // namespace corvane
