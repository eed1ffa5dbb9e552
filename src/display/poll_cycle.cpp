// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/poll_cycle.h"

#include "link/requests.h"

namespace orvane {

void PollCycle::Tick() {
  StoreRequest(link_.OutputReport(), request::kDisplayFrame);
  link_.ExchangeReports();
  if (link_.MeterConnected() == 0) return;  // the display keeps its last state

  notices_.SetNameCaption(kCaptionAnswered);
  decoder_.DecodeFrame(link_.InputReport());
  if (!decoder_.SetLit()) return;
  StoreRequest(link_.OutputReport(), request::kBlinkFrame);
  link_.ExchangeReports();
  if (link_.MeterConnected() == -1) decoder_.DecodeBlinkFrame(link_.InputReport());
}

}  // namespace orvane
