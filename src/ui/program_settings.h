// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program remembers between runs: window places and sizes, the data files
// opened last. Nothing is remembered until the program names where (the GUI names the
// user's settings; a test may name a file of its own).

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace orvane {

// The user's settings: ~/.config/orvane/orvane.conf (under $XDG_CONFIG_HOME), the folder
// that also holds the logging unit's record.env. Settings an earlier version kept in
// ~/.config/Orvane/Orvane.conf are moved there the first time.
inline constexpr const char* kSettingsOrganization = "orvane";
inline constexpr const char* kSettingsApplication = "orvane";
void UseUserSettings();
void UseSettingsFile(const QString& iniFile);
// The settings in use, or nothing while none are named.
std::unique_ptr<QSettings> ProgramSettings();

// The data files opened last, newest first; only those that still exist.
QStringList RecentFiles();
void AddRecentFile(const QString& path);
inline constexpr int kRecentFilesKept = 8;

// Whether Open also shows the data file in the text editor (on unless turned off).
bool OpenAlsoInEditor();
void SetOpenAlsoInEditor(bool on);

}  // namespace orvane
