#pragma once
// The per-user store: ~/.config/KerrwickSystems.conf (XDG config home), section [Orvanta].
// Organisation only, no application name, so every program of the maker shares one file.

#include <QSettings>

#include "runtime/Platform.h"

namespace orvanta {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    std::vector<std::string> Names() override;
    std::optional<std::string> Read(const std::string& name) override;
    // Written through at once: the store must hold every change even if the process dies.
    void Write(const std::string& name, const std::string& value) override;
    void Flush() override;

    QString FileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
};

}  // namespace orvanta
