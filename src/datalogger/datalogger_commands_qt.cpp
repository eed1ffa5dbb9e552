// Tool bar "Memory" and "Erase", and a choice in the erase list.
#include "datalogger/datalogger_commands_qt.h"

#include <QComboBox>

#include "datalogger/erase_list_qt.h"
#include "datalogger/logger_exchange.h"
#include "datalogger/logger_texts.h"
#include "datalogger/memory_window.h"
#include "datalogger/set_text_file.h"

namespace orvane {

namespace {

// The annunciators as the display decoder last decoded them.
FlagLit DisplayFlags(const FrameDecoder& display) {
  return [&display](std::string_view name) { return display.Flag(name); };
}

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

}  // namespace

void CommandMemory(PanelContext& ctx, PanelControls&) {
  OpenDataLogger(ctx, DisplayFlags(ctx.display));
}

void OpenEraseList(PanelContext& ctx, PanelControls& controls, const FlagLit& lit) {
  if (controls.ComboErase == nullptr || EraseRefused(lit)) return;
  std::optional<LinkHold> hold = ctx.TakeLink("Erase");
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

void CommandErase(PanelContext& ctx, PanelControls& controls) {
  OpenEraseList(ctx, controls, DisplayFlags(ctx.display));
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
