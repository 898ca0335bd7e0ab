#include "QtSettingsStore.h"

#include <QStringList>

namespace orvanta {

namespace {
const char* const kOrganisation = "KerrwickSystems";
const char* const kSection = "Orvanta";
}  // namespace

// On Linux the native format is the INI file named <organisation>.conf; the explicit
// IniFormat would name it .ini instead.
QtSettingsStore::QtSettingsStore() : settings_(QSettings::NativeFormat, QSettings::UserScope, kOrganisation) {
    settings_.beginGroup(kSection);
}

std::vector<std::string> QtSettingsStore::Names() {
    std::vector<std::string> names;
    for (const QString& key : settings_.childKeys()) names.push_back(key.toStdString());
    return names;
}

// A value edited by hand with an unquoted comma ("-12,5" in a comma-decimal locale) comes
// back from the INI reader as a list; joined with a bare comma it is that text again. The
// reader drops blanks after a comma, so "a, b" comes back as "a,b"; values we write
// ourselves are quoted by QSettings and never split.
std::optional<std::string> QtSettingsStore::Read(const std::string& name) {
    const QString key = QString::fromStdString(name);
    if (!settings_.contains(key)) return std::nullopt;
    const QVariant value = settings_.value(key);
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(",").toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& name, const std::string& value) {
    settings_.setValue(QString::fromStdString(name), QString::fromStdString(value));
}

void QtSettingsStore::Flush() { settings_.sync(); }

}  // namespace orvanta
