#include "display/poll_cycle.h"

#include "link/requests.h"

namespace orvane {

void PollCycle::Tick() {
  StoreRequest(link_.OutputReport(), request::kDisplayFrame);
  link_.ExchangeReports();
  if (link_.MeterConnected() == 0) return;  // the display keeps its last state

  notices_.SetNameCaption(kCaptionAnswered);
  const Report& frame = link_.InputReport();
  decoder_.DecodeModeBytes(frame);
  decoder_.DecodeAnnunciators(frame);
  decoder_.ShowDirectAnnunciators();
  decoder_.DecodeMainDigits(frame);
  decoder_.DecodeSmallDigits(frame);
  decoder_.ShowBattery(frame);
  decoder_.CountFrame();

  if (decoder_.SetLit()) {
    StoreRequest(link_.OutputReport(), request::kBlinkFrame);
    link_.ExchangeReports();
    if (link_.MeterConnected() == -1) decoder_.ApplyBlink(link_.InputReport());
    return;
  }
  decoder_.ShowStatic();
}

}  // namespace orvane
