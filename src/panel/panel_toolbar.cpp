// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_toolbar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

namespace orvane {

namespace {

constexpr int kMenuArrowRoom = 24;

// The menus of the menu bar, in the order of CommandMenu.
constexpr std::pair<const char*, const char*> kMenus[] = {
    {"MenuFile", "&File"},       {"MenuMeter", "&Meter"},
    {"MenuWindows", "&Windows"}, {"MenuDataLogger", "&Data logger"},
    {"MenuHelp", "&Help"},
};
// The tool bar's own context menu: icons alone or with text labels.
class TextChoiceFilter final : public QObject {
 public:
  TextChoiceFilter(QToolBar& bar, std::function<void(bool)> onChange)
      : QObject(&bar), bar_(bar), onChange_(std::move(onChange)) {
    labels_ = new QAction("Show Text Labels", &bar);
    labels_->setObjectName("ToolbarTextLabels");
    labels_->setCheckable(true);
    labels_->setChecked(bar.toolButtonStyle() == Qt::ToolButtonTextUnderIcon);
    QObject::connect(labels_, &QAction::toggled, &bar, [this](bool on) {
      ShowToolbarText(bar_, on);
      onChange_(on);
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ContextMenu) return false;
    QMenu menu;
    menu.addAction(labels_);
    menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    return watched == &bar_;
  }

 private:
  QToolBar& bar_;
  std::function<void(bool)> onChange_;
  QAction* labels_;
};

}  // namespace

void ShowToolbarText(QToolBar& bar, bool shown) {
  bar.setToolButtonStyle(shown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
  // A button with a menu arrow would cut its label short: it is given room for both.
  for (QToolButton* button : bar.findChildren<QToolButton*>()) {
    if (button->popupMode() != QToolButton::MenuButtonPopup) continue;
    const int text = button->fontMetrics().horizontalAdvance(button->text());
    button->setMinimumWidth(shown ? text + kMenuArrowRoom : 0);
  }
  if (auto* choice = bar.findChild<QAction*>("ToolbarTextLabels")) {
    const QSignalBlocker quiet(choice);
    choice->setChecked(shown);
  }
}

void AddToolbarTextChoice(QToolBar& bar, std::function<void(bool)> onChange) {
  bar.setContextMenuPolicy(Qt::DefaultContextMenu);
  bar.installEventFilter(new TextChoiceFilter(bar, std::move(onChange)));
}

QToolBar* BuildPanelToolbar(QWidget& parent) {
  auto* bar = new QToolBar(&parent);
  bar->setObjectName("Toolbar1");
  bar->setIconSize(QSize(24, 24));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->setStyleSheet(
      "QToolBar { background: #dfe3e6; border-bottom: 1px solid #9aa3aa; spacing: 1px; }"
      "QToolButton { color: #1d252c; font: 8pt 'Liberation Sans'; padding: 1px; }");
  return bar;
}

QMenuBar* BuildPanelMenuBar(QWidget& parent) {
  auto* menus = new QMenuBar(&parent);
  menus->setObjectName("MenuBar");
  menus->setNativeMenuBar(false);  // part of the panel, above its tool bar
  for (const auto& [name, title] : kMenus) {
    QMenu* menu = menus->addMenu(title);
    menu->setObjectName(name);
    menu->setToolTipsVisible(true);  // a greyed entry tells why
  }
  return menus;
}

std::vector<QAction*> AddCommands(QToolBar& bar, QMenuBar& menus, CommandRows table,
                                  std::function<void(const QString&)> onRun) {
  std::vector<QAction*> actions;
  std::vector<std::pair<int, QAction*>> buttons;
  for (const CommandRow& row : table) {
    QObject* owner = row.toolbarPlace > 0 ? static_cast<QObject*>(&bar) : &menus;
    auto* action = new QAction(CommandIcon(row.icon), row.caption, owner);
    action->setObjectName(row.key);
    action->setToolTip(row.toolTip);
    action->setIconText(row.label != nullptr ? row.label : row.key);
    action->setShortcut(QKeySequence(row.shortcut, QKeySequence::PortableText));
    if (row.anyWindow) action->setShortcutContext(Qt::ApplicationShortcut);
    const QString key = row.key;
    QObject::connect(action, &QAction::triggered, &bar, [onRun, key] { onRun(key); });
    menus.findChild<QMenu*>(kMenus[static_cast<int>(row.menu)].first)->addAction(action);
    if (row.toolbarPlace > 0) buttons.emplace_back(row.toolbarPlace, action);
    actions.push_back(action);
  }
  std::sort(buttons.begin(), buttons.end());
  for (const auto& [place, action] : buttons) bar.addAction(action);
  return actions;
}

}  // namespace orvane
