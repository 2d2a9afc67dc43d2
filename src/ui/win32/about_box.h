// The about box: title, version, credits, the system's family, and the system-information tool
// found through the registry. Its texts and keys are AboutModel's.
#pragma once

#include "ui/about_model.h"
#include "ui/registry.h"
#include "ui/win32/boxes.h"
#include "ui/win32/dialog_window.h"

namespace corvane::win32 {

// The program's four-part version as the build gives it.
std::string Program_Version();

class AboutBox final : public DialogWindow {
 public:
  static constexpr int kSysInfoId = 101;
  static constexpr int kSystemTextId = 102;

  AboutBox(HWND owner, Look& look, HINSTANCE instance, Boxes& boxes,
           const std::string& os_version_text, RegistryApi& registry, ProgramLauncher& launcher,
           std::function<void()> on_closed);

  const AboutModel& model() const { return model_; }
  HWND ok_button() const { return ok_; }
  HWND sysinfo_button() const { return sysinfo_; }
  HWND system_text() const { return system_; }
  bool Pre_Translate(MSG& msg) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc);

  AboutModel model_;
  Boxes& boxes_;
  RegistryApi& registry_;
  ProgramLauncher& launcher_;
  HWND ok_ = nullptr;
  HWND sysinfo_ = nullptr;
  HWND system_ = nullptr;
};

}  // namespace corvane::win32
