// Where a conversion gets today's date from; the dialog, the command line and the tests each
// supply their own.
#pragma once

#include "formats/date.h"

namespace trelvan {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
};

// A clock that always tells the same date.
class FixedClock : public Clock {
 public:
  explicit FixedClock(Date date) : date_(date) {}
  Date Today() const override { return date_; }

 private:
  Date date_;
};

}  // namespace trelvan
