#pragma once

#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

// The terminal's key-value store: strings, 64-bit integers and booleans under fixed keys,
// surviving restarts. Absent keys read as no string, 0 and false.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual QVariant value(const QString &key) const = 0; // invalid when absent
    virtual void setValue(const QString &key, const QVariant &value) = 0;
    virtual void remove(const QString &key) = 0;
    virtual void sync() = 0;

    std::optional<QString> string(const QString &key) const;
    qint64 integer(const QString &key) const;
    bool boolean(const QString &key) const;

    // The process-wide store: "settings.ini" in the app home, opened on first use.
    static SettingsStore &shared();
    // Replaces the process-wide store (tests, or a start-up that picked another home).
    static void setShared(std::shared_ptr<SettingsStore> store);
};

// SettingsStore over a QSettings INI file. A missing or corrupt file reads as empty.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString &filePath);

    QVariant value(const QString &key) const override;
    void setValue(const QString &key, const QVariant &value) override;
    void remove(const QString &key) override;
    void sync() override;

private:
    mutable QMutex mutex_;
    mutable QSettings settings_;
};
