#pragma once

#include "runtime/Platform.h"

namespace orvanta {

class QtWindowHost : public WindowHost {
public:
    int ScreenWidthTwips() override;
    int ScreenHeightTwips() override;
    // Queued, so that an end asked for before the event loop runs is not lost.
    void EndProcess() override;
};

}  // namespace orvanta
