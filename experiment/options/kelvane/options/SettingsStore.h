#pragma once

#include <QString>

#include <functional>
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
    // Writes reach the store's file at the next commit (or, failing that, when the
    // store goes away), so that a set of keys written together lands together.
    virtual void write(const QString &section, const QString &key, const QString &text) = 0;
    virtual void remove(const QString &section, const QString &key) = 0;
    // Whether the key exists at all (an empty stored text exists).
    virtual bool contains(const QString &section, const QString &key) const = 0;
    // False when the key holds something other than a text, such as a value another
    // program stored in one of the store's binary forms. An absent key is a text.
    virtual bool holdsText(const QString &, const QString &) const { return true; }
    // Puts every write so far into the store's file. False when the file could not be
    // written; `problem` then names the file and the reason. The file is then left as it
    // was, while reads still see the writes.
    virtual bool commit(QString *problem) = 0;
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
    void remove(const QString &section, const QString &key) override;
    bool contains(const QString &section, const QString &key) const override;
    bool holdsText(const QString &section, const QString &key) const override;
    bool commit(QString *problem) override;

    // Where the values live, for the manual and messages.
    QString location() const;

private:
    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace kelvane
