// The user's settings through QSettings: the organisation's and application's names set by the
// program choose where they are kept.
#pragma once

#include <QSettings>

#include "ui/folder_memory.h"

namespace corvane::qt {

class QtSettingsStore final : public SettingsStore {
 public:
  std::string Value(std::string_view key) const override;
  void Set_Value(std::string_view key, std::string_view value) override;

 private:
  QSettings settings_;
};

}  // namespace corvane::qt
