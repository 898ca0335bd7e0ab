#pragma once
// Stands in for the sound card until tones and WAV playback arrive: says on stderr what
// it would play. A tone still takes its time, as the caller expects.

#include "runtime/Platform.h"

namespace orvanta {

class ConsoleSound : public SoundPort {
public:
    void Beep(int frequencyHz, int durationMs) override;
    void PlaySoundFile(const std::string& name) override;
};

}  // namespace orvanta
