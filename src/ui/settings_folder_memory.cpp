// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings_folder_memory.h"

#include <QDir>
#include <QStandardPaths>

namespace orvane {

namespace {
const char* const kLastFolderKey = "files/lastFolder";
}  // namespace

std::string SettingsFolderMemory::LastFolder() const {
  return settings_.value(kLastFolderKey).toString().toStdString();
}

void SettingsFolderMemory::RememberFolder(const std::string& folder) {
  settings_.setValue(kLastFolderKey, QString::fromStdString(folder));
  settings_.sync();
}

std::string DocumentsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

std::string HomeFolder() {
  return QDir::homePath().toStdString();
}

}  // namespace orvane
