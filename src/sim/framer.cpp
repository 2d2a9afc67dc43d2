#include "sim/framer.h"

namespace corvane::sim {

namespace {
constexpr int kCommandClocks = 6;
constexpr int kDataClocks = 16;
}  // namespace

Framer::Completed Framer::fall(bool line_high) {
  if (phase_ == kCommand) {
    if (line_high) shift_ |= 1 << count_;
    if (++count_ < kCommandClocks) return kNothing;
    value_ = shift_;
    shift_ = 0;
    count_ = 0;
    phase_ = Takes_Load(value_) ? kLoad : Takes_Read(value_) ? kRead : kCommand;
    return kCommandDone;
  }
  if (count_ >= 1 && count_ <= 14 && line_high) shift_ |= 1 << (count_ - 1);
  if (++count_ < kDataClocks) return kNothing;
  const Completed done = phase_ == kLoad ? kLoadDone : kReadDone;
  value_ = shift_;
  shift_ = 0;
  count_ = 0;
  phase_ = kCommand;
  return done;
}

}  // namespace corvane::sim
