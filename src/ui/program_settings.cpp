// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace orvane {

namespace {
enum class Store { Off, User, File };
Store store = Store::Off;
QString storeFile;
constexpr const char* kRecentKey = "files/recent";
constexpr const char* kAlsoEditorKey = "files/alsoOpenInEditor";
bool alsoEditorThisRun = true;  // while no settings are named

// Moves the settings file of an earlier version (named with a capital "O") to the
// user's settings file, when there is no such file yet.
void MoveEarlierSettings() {
  const QString now = QSettings(kSettingsOrganization, kSettingsApplication).fileName();
  const QString earlier = QSettings(QStringLiteral("Orvane"), QStringLiteral("Orvane")).fileName();
  if (now == earlier || !QFileInfo::exists(earlier) || QFileInfo::exists(now)) return;
  QDir().mkpath(QFileInfo(now).absolutePath());
  if (!QFile::rename(earlier, now)) {  // read once, key by key, into the new file
    const QSettings from(earlier, QSettings::IniFormat);
    QSettings to(now, QSettings::IniFormat);
    for (const QString& key : from.allKeys()) to.setValue(key, from.value(key));
    to.sync();
    if (to.status() != QSettings::NoError) return;
    QFile::remove(earlier);
  }
  QDir().rmdir(QFileInfo(earlier).absolutePath());  // only when nothing else is left there
}

}  // namespace

void UseUserSettings() {
  MoveEarlierSettings();
  store = Store::User;
}

void UseSettingsFile(const QString& iniFile) {
  store = Store::File;
  storeFile = iniFile;
}

std::unique_ptr<QSettings> ProgramSettings() {
  switch (store) {
    case Store::User:
      // The same settings as the folder used last.
      return std::make_unique<QSettings>(kSettingsOrganization, kSettingsApplication);
    case Store::File:
      return std::make_unique<QSettings>(storeFile, QSettings::IniFormat);
    case Store::Off:
      break;
  }
  return nullptr;
}

QStringList RecentFiles() {
  std::unique_ptr<QSettings> settings = ProgramSettings();
  if (!settings) return {};
  QStringList files;
  for (const QString& path : settings->value(kRecentKey).toStringList())
    if (QFileInfo(path).isFile()) files << path;
  return files;
}

void AddRecentFile(const QString& path) {
  std::unique_ptr<QSettings> settings = ProgramSettings();
  if (!settings) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = settings->value(kRecentKey).toStringList();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kRecentFilesKept) files.removeLast();
  settings->setValue(kRecentKey, files);
}

bool OpenAlsoInEditor() {
  std::unique_ptr<QSettings> settings = ProgramSettings();
  return settings ? settings->value(kAlsoEditorKey, true).toBool() : alsoEditorThisRun;
}

void SetOpenAlsoInEditor(bool on) {
  alsoEditorThisRun = on;
  if (std::unique_ptr<QSettings> settings = ProgramSettings())
    settings->setValue(kAlsoEditorKey, on);
}

}  // namespace orvane
