#pragma once

#include <QCoreApplication>
#include <QThread>

#include "runtime/Platform.h"

namespace orvanta {

class QtSystemPort : public SystemPort {
public:
    void Sleep(int milliseconds) override { QThread::msleep(static_cast<unsigned long>(milliseconds)); }
    void PumpMessages() override { QCoreApplication::processEvents(); }
};

}  // namespace orvanta
