// The Windows services the window and its dialogs use: the registry (read by the about box,
// written for the user's settings under HKEY_CURRENT_USER\Software\Corvane) and the start of
// another program.
#pragma once

#include <string>
#include <string_view>

#include "ui/about_model.h"
#include "ui/folder_memory.h"
#include "ui/registry.h"

namespace corvane::win32 {

// RegOpenKeyExA, RegQueryValueExA and RegCloseKey.
class SystemRegistry final : public RegistryApi {
 public:
  bool Open_Key(RegistryRoot root, std::string_view sub_key, std::uint32_t access,
                Key* key) override;
  bool Query_Value(Key key, std::string_view value_name, std::uint32_t* type, char* data,
                   std::uint32_t* size) override;
  void Close_Key(Key key) override;
};

// Starts a program in a normal window that takes the focus, without waiting for it.
class SystemLauncher final : public ProgramLauncher {
 public:
  bool File_Exists(const std::string& path) override;
  bool Start(const std::string& path) override;
};

inline constexpr std::string_view kSettingsKey = "Software\\Corvane";

// The user's settings in the registry under HKEY_CURRENT_USER\<root>: a key "files/lastFolder"
// is the string value "lastFolder" of the sub-key "files". Texts are kept as UTF-16.
class RegistrySettings final : public SettingsStore {
 public:
  explicit RegistrySettings(std::string root = std::string(kSettingsKey))
      : root_(std::move(root)) {}
  std::string Value(std::string_view key) const override;
  void Set_Value(std::string_view key, std::string_view value) override;

 private:
  std::string root_;
};

}  // namespace corvane::win32
