// SPDX-License-Identifier: GPL-3.0-or-later
// The data logger window, the erase list and erasing everything from the panel, and a
// choice in the erase list. Their rows' rules keep them from the meter while another
// command holds the link, the meter records, or (the window) shows a measuring mode.
#include "datalogger/datalogger_commands_qt.h"

#include <QComboBox>

#include "datalogger/erase_list_qt.h"
#include "datalogger/logger_exchange.h"
#include "datalogger/logger_texts.h"
#include "datalogger/memory_window.h"
#include "datalogger/set_text_file.h"

namespace orvane {

namespace {

void Tell(PanelContext& ctx, const char* text) {
  ctx.dialogs.Message(text, MessageIcon::Critical, MessageButtons::Ok, kLoggerMessageTitle);
}

void FillEraseList(QComboBox& combo, const std::vector<std::string>& setStamps) {
  combo.clear();
  combo.addItem(kEraseListExit);
  for (std::size_t k = 1; k < setStamps.size(); ++k) {
    combo.addItem(QString::fromStdString(EraseListEntry(static_cast<long long>(k), setStamps[k])));
  }
  combo.addItem(kEraseListAll);
  combo.setCurrentIndex(0);
}

// One pick in the list must not erase a set unasked.
bool ConfirmEraseOne(PanelContext& ctx, const QString& entry) {
  const std::string question = std::string(kEraseOneQuestion) + "\n\n" + entry.toStdString();
  return ctx.dialogs.Message(question, MessageIcon::Exclamation, MessageButtons::OkCancel,
                             kEraseAllTitle) == DialogAnswer::Ok;
}

void OpenWindow(PanelContext& ctx, PanelControls&) {
  OpenDataLogger(ctx);
}

// Everything erased after the warning; an open data logger window lists nothing that is
// left, so it closes, as after an erase from the window itself.
void EraseAll(PanelContext& ctx, PanelControls&) {
  const DialogAnswer answer = ctx.dialogs.Message(kEraseAllWarning, MessageIcon::Exclamation,
                                                  MessageButtons::OkCancel, kEraseAllTitle);
  if (answer != DialogAnswer::Ok) return;
  if (const std::optional<LinkHold> hold = ctx.TakeLink("erase")) EraseAllSets(ctx.link, true);
  if (MemoryWindow* window = FindMemoryWindow(ctx)) window->close();
}

}  // namespace

CommandRows DataloggerCommands() {
  static const CommandRow rows[] = {
      {.key = "Memory",
       .caption = "&Data logger",
       .toolTip = "Data Logger",
       .shortcut = "Ctrl+D",
       .icon = DrawLoggerIcon,
       .rule = CommandRule::LinkFreeNoMode,
       .run = OpenWindow,
       .menu = CommandMenu::Windows,
       .toolbarPlace = 8,
       .label = "Logger"},
      {.key = "Erase",
       .caption = "Erase a &set…",
       .toolTip = "Erase Data Logger",
       .shortcut = "Ctrl+E",
       .icon = DrawEraseIcon,
       .rule = CommandRule::LinkFreeRecDark,
       .run = OpenEraseList,
       .menu = CommandMenu::DataLogger,
       .toolbarPlace = 9},
      {.key = "EraseAll",
       .caption = "Erase &all…",
       .toolTip = "Erase all record sets in the meter",
       .shortcut = "Ctrl+Shift+E",
       .icon = DrawEraseIcon,
       .rule = CommandRule::LinkFreeRecDark,
       .run = EraseAll,
       .menu = CommandMenu::DataLogger},
  };
  return rows;
}

void OpenEraseList(PanelContext& ctx, PanelControls& controls) {
  if (controls.ComboErase == nullptr) return;
  std::optional<LinkHold> hold = ctx.TakeLink("erase list");
  if (!hold) return;
  const std::optional<LoggerStatus> status = QueryStoredSets(ctx, hold);
  if (!status) return;
  const IndexDownload index = DownloadIndex(ctx.link, static_cast<std::uint64_t>(status->setCount),
                                            [](auto, auto) { LetEventsRun(); });
  StoreSetStamps(ctx.state.SetStamps, index.stamps);
  hold.reset();
  FillEraseList(*controls.ComboErase, ctx.state.SetStamps);
  DropDownEraseList(*controls.ComboErase);
  if (!index.complete) Tell(ctx, kIndexIncompleteText);
}

// "Exit" closes the list; "All" erases everything after the warning; an entry k erases
// record set k.
void CommandEraseChosen(PanelContext& ctx, PanelControls& controls, int index) {
  QComboBox* combo = controls.ComboErase;
  if (combo == nullptr || index < 0 || index >= combo->count() || ctx.linkOwner.Held()) return;
  const QString text = combo->itemText(index);
  bool erased = false;
  if (text == kEraseListAll) {
    const DialogAnswer answer = ctx.dialogs.Message(kEraseAllWarning, MessageIcon::Exclamation,
                                                    MessageButtons::OkCancel, kEraseAllTitle);
    if (answer == DialogAnswer::Ok) {
      if (const std::optional<LinkHold> hold = ctx.TakeLink("erase")) {
        EraseAllSets(ctx.link, false);
        erased = true;
      }
    }
  } else if (text != kEraseListExit && ConfirmEraseOne(ctx, text)) {
    if (const std::optional<LinkHold> hold = ctx.TakeLink("erase")) {
      EraseOneSet(ctx.link, SetStampAt(ctx.state.SetStamps, index));
      erased = true;
    }
  }
  combo->hide();
  // An open data logger window lists what the meter holds now.
  if (erased) RefreshDataLogger(ctx);
}

}  // namespace orvane
