#include "ConsoleSound.h"

#include <QThread>
#include <iostream>

namespace orvanta {

void ConsoleSound::Beep(int frequencyHz, int durationMs) {
    std::cerr << "Orvanta beep: " << frequencyHz << " Hz, " << durationMs << " ms" << std::endl;
    QThread::msleep(static_cast<unsigned long>(durationMs));
}

void ConsoleSound::PlaySoundFile(const std::string& name) { std::cerr << "Orvanta sound: " << name << std::endl; }

}  // namespace orvanta
