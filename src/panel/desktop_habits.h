#pragma once
// The desktop habits of the panel: a data file dropped on it opens in the plot, the
// tool bar's Open offers the files opened last, and the keys every desktop program has:
// Ctrl+S Save (or stop), Ctrl+O Open, Ctrl+Q Quit, F1 help.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace orvane {

class PanelWindow;

void InstallDesktopHabits(PanelWindow& panel);

// The data file among dropped or given paths (the first "*.lms" file), or an empty text.
QString DataFileAmong(const QStringList& paths);

// Runs `work` once the window is on the screen, so that a question it asks is centred
// on the window where it finally stands.
void WhenOnScreen(QWidget& window, std::function<void()> work);

// The text of Help / About.
QString AboutText();

}  // namespace orvane
