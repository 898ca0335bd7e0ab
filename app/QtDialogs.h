#pragma once
// Message box, input box and file chooser. Each runs a nested event loop, so ticks keep
// arriving while the user reads; the tick guards skip them. Without a screen (offscreen
// platform) nobody could answer, so the texts go to stderr and the call returns at once.

#include "runtime/Platform.h"

namespace orvanta {

class QtDialogs : public Dialogs {
public:
    void MessageBox(const std::string& text, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    FileDialogResult ChooseFile(const std::string& title, int flags) override;
};

}  // namespace orvanta
