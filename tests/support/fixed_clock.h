// A clock that always tells the same date, for the dialog's and the command line's tests.
#pragma once

#include "platform/clock.h"

namespace trelvan {

class FixedClock : public Clock {
 public:
  explicit FixedClock(Date date) : date_(date) {}
  Date Today() const override { return date_; }

 private:
  Date date_;
};

}  // namespace trelvan
