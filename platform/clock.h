// Where the dialog and the command line get today's date from, at the moment a conversion
// starts; their tests supply a fixed one.
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
