#include "display/frame_decoder.h"

namespace orvane {

// Placeholder steps: the decoding tables fill these in.
FrameDecoder::FrameDecoder() {}
void FrameDecoder::DecodeModeBytes(const Report&) {}
void FrameDecoder::DecodeAnnunciators(const Report& frame) {
  annRh_ = frame[21] & 1;
  annSet_ = frame[45] & 1;
}
void FrameDecoder::ShowDirectAnnunciators() {}
void FrameDecoder::DecodeMainDigits(const Report&) {}
void FrameDecoder::DecodeSmallDigits(const Report&) {}
void FrameDecoder::ShowBattery(const Report&) {}
void FrameDecoder::ApplyBlink(const Report&) {}
void FrameDecoder::ShowStatic() {}

}  // namespace orvane
