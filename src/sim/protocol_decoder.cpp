#include "sim/protocol_decoder.h"

namespace corvane::sim {

void ProtocolDecoder::add(std::int64_t t, ProtocolEvent::Kind kind, int value) {
  if (events_.size() < kMaxEvents) {
    events_.push_back(ProtocolEvent{t, kind, value});
  } else {
    ++dropped_;
  }
}

void ProtocolDecoder::observe(std::int64_t t, bool vpp, bool clock_high, bool line_high) {
  if (vpp_ && !vpp) {
    vpp_ = false;
    if (programming_) add(t, ProtocolEvent::LeaveProgramming, 0);
    programming_ = false;
  }
  line_ = line_high;
  if (clock_ != clock_high) {
    clock_ = clock_high;
    if (programming_ && !clock_high) {
      switch (framer_.fall(line_)) {
        case Framer::kCommandDone:
          add(t, ProtocolEvent::Command, framer_.value());
          break;
        case Framer::kLoadDone:
          add(t, ProtocolEvent::DataIn, framer_.value());
          break;
        case Framer::kReadDone:
          add(t, ProtocolEvent::DataOut, framer_.value());
          break;
        case Framer::kNothing:
          break;
      }
    }
  }
  if (!vpp_ && vpp) {
    vpp_ = true;
    if (!clock_ && !line_) {
      programming_ = true;
      framer_.reset();
      add(t, ProtocolEvent::EnterProgramming, 0);
    }
  }
}

}  // namespace corvane::sim
