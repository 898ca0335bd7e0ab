#include "QtWindowHost.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>

#include "Twips.h"

namespace orvanta {

namespace {

QSize PrimaryScreenTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const double dpi = screen->logicalDotsPerInch();
    return {PixelsToTwips(screen->size().width(), dpi), PixelsToTwips(screen->size().height(), dpi)};
}

}  // namespace

int QtWindowHost::ScreenWidthTwips() { return PrimaryScreenTwips().width(); }

int QtWindowHost::ScreenHeightTwips() { return PrimaryScreenTwips().height(); }

void QtWindowHost::EndProcess() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

}  // namespace orvanta
