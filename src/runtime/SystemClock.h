#pragma once

#include "runtime/Platform.h"

namespace orvanta {

// The machine's local time.
class SystemClock : public Clock {
public:
    LocalDateTime Now() override;
};

}  // namespace orvanta
