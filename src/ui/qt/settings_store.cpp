#include "ui/qt/settings_store.h"

namespace corvane::qt {

namespace {

QString Key(std::string_view key) {
  return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

std::string QtSettingsStore::Value(std::string_view key) const {
  return settings_.value(Key(key)).toString().toStdString();
}

void QtSettingsStore::Set_Value(std::string_view key, std::string_view value) {
  settings_.setValue(Key(key), Key(value));
}

}  // namespace corvane::qt
