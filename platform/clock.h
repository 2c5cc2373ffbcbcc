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

}  // namespace trelvan
