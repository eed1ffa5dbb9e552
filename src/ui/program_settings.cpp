#include "ui/program_settings.h"

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
}  // namespace

void UseUserSettings() {
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
      return std::make_unique<QSettings>(QStringLiteral("Orvane"), QStringLiteral("Orvane"));
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
