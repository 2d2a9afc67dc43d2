// A window stand-in for the loader tests: records what the loader reports and implements
// Show_Fuses the way the window does, with the fuse rules and the control handlers.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fuses/config_word.h"
#include "state/panel.h"
#include "state/working_state.h"
#include "support/temp_dir.h"

namespace corvane {

class FakePanel : public Panel {
 public:
  explicit FakePanel(WorkingState& st) : st_(st) {}

  void Append_Text(std::string_view message) override { log.emplace_back(message); }
  void Set_Status(std::string_view key, std::string_view text) override {
    status[std::string(key)] = std::string(text);
    status_history.push_back(std::string(key) + "=" + std::string(text));
  }
  void Message_Box(std::string_view text) override { boxes.emplace_back(text); }
  void Sablier_On() override {}
  void Sablier_Off() override {}
  int Check_Vdd() const override { return kChecked; }
  int Check_auto() const override { return kChecked; }
  std::string Device() const override { return device; }
  void Set_Device(std::string_view text) override { device = text; }
  std::string FileName() const override { return file_name; }

  // Each control that changes runs its handler, as a click would.
  void Show_Fuses() override {
    ++show_fuses_calls;
    const FuseControls shown = Fuses_Shown(st_.ConfigWord);
    if (osc != shown.osc) {
      osc = shown.osc;
      st_.ConfigWord = Osc_Choice(st_.ConfigWord, shown.osc, device);
      Set_Status("Fuses", Fuses_Panel_Text(st_.ConfigWord));
    }
    if (wdt != shown.wdt) {
      wdt = shown.wdt;
      st_.ConfigWord = WDT_Reaction(st_.ConfigWord, wdt);
      Set_Status("Fuses", Fuses_Panel_Text(st_.ConfigWord));
    }
    if (pwrt != shown.pwrt) {
      pwrt = shown.pwrt;
      st_.ConfigWord = PWRT_Reaction(st_.ConfigWord, pwrt);
      Set_Status("Fuses", Fuses_Panel_Text(st_.ConfigWord));
    }
    if (boden != shown.boden) {
      boden = shown.boden;
      st_.ConfigWord = BODEN_Reaction(st_.ConfigWord, boden);
      Set_Status("Fuses", Fuses_Panel_Text(st_.ConfigWord));
    }
  }

  std::string LogText() const {
    std::string all;
    for (const auto& entry : log) all += entry;
    return all;
  }

  std::string device = "PIC16f84";
  std::string file_name;
  std::vector<std::string> log;
  std::map<std::string, std::string> status;
  std::vector<std::string> status_history;
  std::vector<std::string> boxes;
  int show_fuses_calls = 0;
  // The fuse controls as the window shows them: no oscillator button selected at start-up.
  std::optional<int> osc;
  bool wdt = false;
  bool pwrt = false;
  bool boden = false;

 private:
  WorkingState& st_;
};

}  // namespace corvane
