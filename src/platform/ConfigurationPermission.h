#pragma once

#include <QString>

// Whether the user may replace the installed configuration file, which makes
// Save Data available. Behind an interface so that another platform's test
// (membership of an administrators group) can take its place.
class ConfigurationPermission {
public:
    virtual ~ConfigurationPermission() = default;
    virtual bool mayReplaceConfiguration() const = 0;
};

// The process can write the configuration file and its directory (the file
// is replaced through a new file beside it). False on any failure.
class WritableConfiguration final : public ConfigurationPermission {
public:
    explicit WritableConfiguration(QString file = QStringLiteral("Data/Meterwin.ini"))
        : file_(std::move(file)) {}
    bool mayReplaceConfiguration() const override;

private:
    QString file_;
};
