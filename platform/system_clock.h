// Today's local calendar date.
#pragma once

#include "platform/clock.h"

namespace trelvan {

class SystemClock : public Clock {
 public:
  Date Today() const override;
};

}  // namespace trelvan
