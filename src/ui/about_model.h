// The about box without any toolkit: its texts, its keys and the launch of the system-information
// tool.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/dialog_keys.h"
#include "ui/registry.h"
#include "ui/version.h"

namespace corvane {

inline constexpr std::string_view kAppTitle = "Corvane";
inline constexpr std::string_view kSysInfoUnavailable =
    "Les informations système ne sont pas disponibles actuellement";

// Where the system-information tool is registered.
inline constexpr std::string_view kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kMsinfoValue = "PATH";
inline constexpr std::string_view kToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kToolsLocationValue = "MSINFO";
inline constexpr std::string_view kMsinfoFile = "\\MSINFO32.EXE";

// What starting the system-information tool needs from the platform besides the registry.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  virtual bool File_Exists(const std::string& path) = 0;
  // Starts the program in a normal window that takes the focus, without waiting for it; false
  // when it could not be started.
  virtual bool Start(const std::string& path) = 0;
};

class AboutModel {
 public:
  // version: the program's four-part version; os_version_text: OsVersionText of start-up.
  AboutModel(std::string_view version, std::string os_version_text);

  const std::string& caption() const { return caption_; }
  std::string_view title() const { return kAppTitle; }
  const std::string& version_label() const { return version_label_; }
  std::string_view description() const { return "For use with Brannock hardware"; }
  std::string_view second_description() const { return "or with Dravik hardware (Tessel)"; }
  std::string_view disclaimer() const {
    return "Corvane by Dravik, free programmer for PIC16F84, 873 and 877. MIT License";
  }
  const std::string& system_text() const { return system_text_; }
  std::string_view sysinfo_caption() const { return "&Infos système..."; }

  // Enter and Esc both press "OK", which closes the box.
  static bool Closes_On_Key(int key_code) {
    return key_code == kKeyReturn || key_code == kKeyEscape;
  }

 private:
  std::string caption_;
  std::string version_label_;
  std::string system_text_;
};

// Finds the system-information tool through the registry and starts it. When there is none, or
// it cannot be started, shows "Les informations système ne sont pas disponibles actuellement"
// through message_box. Returns true when the tool was started.
bool StartSysInfo(RegistryApi& registry, ProgramLauncher& launcher,
                  const std::function<void(std::string_view)>& message_box);

}  // namespace corvane
