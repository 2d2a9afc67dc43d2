#include "ui/about_model.h"

#include <exception>

namespace corvane {

AboutModel::AboutModel(std::string_view version, std::string os_version_text)
    : caption_("\xC3\x80 propos de " + std::string(kAppTitle)),
      version_label_(Version_Label(Parse_Version(version))),
      system_text_(std::move(os_version_text)) {}

namespace {

// The tool's full path, or "" when the registry names none that exists.
std::string Find_Sysinfo(RegistryApi& registry, ProgramLauncher& launcher) {
  std::string path;
  if (GetKeyValue(registry, RegistryRoot::LocalMachine, kMsinfoKey, kMsinfoValue, &path)) {
    return path;
  }
  if (GetKeyValue(registry, RegistryRoot::LocalMachine, kToolsLocationKey, kToolsLocationValue,
                  &path)) {
    const std::string tool = path + std::string(kMsinfoFile);
    if (launcher.File_Exists(tool)) return tool;
  }
  return "";
}

}  // namespace

bool StartSysInfo(RegistryApi& registry, ProgramLauncher& launcher,
                  const std::function<void(std::string_view)>& message_box) {
  bool started = false;
  try {
    const std::string path = Find_Sysinfo(registry, launcher);
    started = !path.empty() && launcher.Start(path);
  } catch (const std::exception&) {
    started = false;
  }
  if (!started) message_box(kSysInfoUnavailable);
  return started;
}

}  // namespace corvane
