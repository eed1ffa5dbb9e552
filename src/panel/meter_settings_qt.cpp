// SPDX-License-Identifier: GPL-3.0-or-later
// Tool bar Intv and RecSetup: read the meter's sampling time or recording period, let the
// user edit it, write it back. The link is held for each exchange with the meter and never
// while an input box waits for the user; a meter that does not answer is said to, and
// nothing is sent to it.
#include "panel/meter_settings_qt.h"

#include "link/requests.h"
#include "recording/meter_settings.h"

namespace orvane {

namespace {

// The setting `query` asks for; nothing (and a message when the meter was silent) when
// the link is busy or the meter does not answer.
std::optional<int> ReadSetting(PanelContext& ctx, std::uint8_t query, const char* what) {
  std::optional<LinkHold> hold = ctx.TakeLink(what);
  if (!hold) return std::nullopt;
  const std::optional<int> seconds = QueryMeterSeconds(ctx.link, query);
  hold.reset();  // the link is free while a message waits for the user
  if (!seconds) {
    ctx.dialogs.Message(kMeterSilentText, MessageIcon::Critical, MessageButtons::Ok, "");
  }
  return seconds;
}

void WriteSetting(PanelContext& ctx, std::uint8_t code, int seconds, const char* what) {
  const std::optional<LinkHold> hold = ctx.TakeLink(what);
  if (hold) SendMeterSeconds(ctx.link, code, seconds);
}

// The meter takes a period only right after it was asked for it: the query is repeated
// just before the new period is sent, since the poll ran while the box was open.
void WritePeriod(PanelContext& ctx, int period) {
  std::optional<LinkHold> hold = ctx.TakeLink("recording period");
  if (!hold) return;
  const bool answered = QueryMeterSeconds(ctx.link, request::kRecordingPeriodQuery).has_value();
  if (answered) SendMeterSeconds(ctx.link, request::kSetRecordingPeriod, period);
  hold.reset();
  if (!answered) {
    ctx.dialogs.Message(kMeterSilentText, MessageIcon::Critical, MessageButtons::Ok, "");
  }
}

void CommandIntv(PanelContext& ctx, PanelControls&) {
  const std::optional<int> current = ReadSetting(ctx, request::kSamplingTimeQuery, "sampling time");
  if (!current) return;

  const std::string defaultText = SamplingDefaultText(*current);
  for (;;) {
    const std::string answer = ctx.dialogs.Input(kSamplingPrompt, kSamplingTitle, defaultText);
    const SamplingAnswer parsed = ParseSamplingAnswer(answer);
    switch (parsed.kind) {
      case SamplingAnswer::Kind::Cancelled:
        return;
      case SamplingAnswer::Kind::BadFormat:
        ctx.dialogs.Message(kSamplingFormatError, MessageIcon::Critical, MessageButtons::Ok, "");
        continue;
      case SamplingAnswer::Kind::Zero:
        continue;
      case SamplingAnswer::Kind::Accepted:
        WriteSetting(ctx, request::kSetSamplingTime, parsed.seconds, "sampling time");
        return;
    }
  }
}

void CommandRecSetup(PanelContext& ctx, PanelControls&) {
  const std::optional<int> current =
      ReadSetting(ctx, request::kRecordingPeriodQuery, "recording period");
  if (!current) return;
  const std::optional<int> period =
      ParsePeriodAnswer(ctx.dialogs.Input(kPeriodPrompt, kPeriodTitle, std::to_string(*current)));
  if (period) WritePeriod(ctx, *period);
}

}  // namespace

CommandRows MeterSettingCommands() {
  static const CommandRow rows[] = {
      {.key = "Intv",
       .caption = "&Sampling time…",
       .toolTip = "Sampling Rate",
       .shortcut = "Ctrl+T",
       .icon = DrawSamplingIcon,
       .rule = CommandRule::LinkFree,
       .run = CommandIntv,
       .menu = CommandMenu::Meter,
       .toolbarPlace = 3,
       .label = "Sampling"},
      {.key = "RecSetup",
       .caption = "Recording &period…",
       .toolTip = "Recording Setup",
       .shortcut = "Ctrl+R",
       .icon = DrawPeriodIcon,
       .rule = CommandRule::LinkFreeRecDark,
       .run = CommandRecSetup,
       .menu = CommandMenu::Meter,
       .toolbarPlace = 7,
       .label = "Period"},
  };
  return rows;
}

}  // namespace orvane
