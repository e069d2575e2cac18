#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace kelvane {

// The per-user store of the experiment program's defaults: text values addressed by
// section and key, under the application "Kelvane".
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored text, or the empty text when the key does not exist.
    virtual QString read(const QString &section, const QString &key) const = 0;
    virtual void write(const QString &section, const QString &key, const QString &text) = 0;
    // Whether the key exists at all (an empty stored text exists).
    virtual bool contains(const QString &section, const QString &key) const = 0;
    // False when the key holds something other than a text, such as a value another
    // program stored in one of the store's binary forms. An absent key is a text.
    virtual bool holdsText(const QString &, const QString &) const { return true; }
    // Forces what was written out to the store itself. False when that failed, with
    // `problem` naming the place and the reason.
    virtual bool flush(QString *) { return true; }
};

class QSettingsStore final : public SettingsStore
{
public:
    // The platform's per-user store for organisation and application "Kelvane".
    QSettingsStore();
    // An INI file at `path`; tests use this to keep the researcher's own store untouched.
    explicit QSettingsStore(const QString &iniPath);
    ~QSettingsStore() override;

    QString read(const QString &section, const QString &key) const override;
    void write(const QString &section, const QString &key, const QString &text) override;
    bool contains(const QString &section, const QString &key) const override;
    bool holdsText(const QString &section, const QString &key) const override;
    // Reports a write that failed since the last flush. Changes that could not be
    // written are kept and tried again by the next write or flush.
    bool flush(QString *problem) override;

    // Where the values live, for the README and messages.
    QString location() const;

private:
    std::unique_ptr<QSettings> open() const;
    void reopenAfterFailure();

    QString m_iniPath; // empty for the platform's own store
    std::unique_ptr<QSettings> m_settings;
    bool m_failed = false; // the last flush failed
};

} // namespace kelvane
