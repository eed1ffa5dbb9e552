// Tool bar Intv and RecSetup: read the meter's sampling time or recording period, let the
// user edit it, write it back. The poll (and for the period the record tick) is stopped
// around every exchange and started again on every way out.
#include <QTimer>

#include "link/requests.h"
#include "panel/panel_commands.h"
#include "recording/meter_settings.h"

namespace orvane {

namespace {

// The meter's own recording: its "REC" symbol. The decoder's flag is read through the
// LCD element that shows it, so an element the model does not hold counts as dark.
bool MeterRecordingLit(const PanelContext& ctx) {
  return ctx.display.Flag("AnnREC");
}

}  // namespace

void CommandIntv(PanelContext& ctx, PanelControls&) {
  ctx.timer1.stop();
  const int current = QueryMeterSeconds(ctx.link, request::kSamplingTimeQuery);
  ctx.timer1.start();

  const std::string defaultText = SamplingDefaultText(current);
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
        ctx.timer1.stop();
        SendMeterSeconds(ctx.link, request::kSetSamplingTime, parsed.seconds);
        ctx.timer1.start();
        return;
    }
  }
}

void CommandRecSetup(PanelContext& ctx, PanelControls&) {
  if (MeterRecordingLit(ctx)) return;
  ctx.timer1.stop();
  ctx.timer2.stop();
  const int current = QueryMeterSeconds(ctx.link, request::kRecordingPeriodQuery);
  const std::optional<int> period =
      ParsePeriodAnswer(ctx.dialogs.Input(kPeriodPrompt, kPeriodTitle, std::to_string(current)));
  if (period) SendMeterSeconds(ctx.link, request::kSetRecordingPeriod, *period);
  ctx.timer1.start();
  ctx.timer2.start();
}

}  // namespace orvane
