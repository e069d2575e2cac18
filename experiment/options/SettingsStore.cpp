#include "kelvane/options/SettingsStore.h"

#include <QSettings>

namespace kelvane {

namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Kelvane"), QStringLiteral("Kelvane")))
{
}

QSettingsStore::QSettingsStore(const QString &iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::read(const QString &section, const QString &key) const
{
    return m_settings->value(keyPath(section, key)).toString();
}

void QSettingsStore::write(const QString &section, const QString &key, const QString &text)
{
    m_settings->setValue(keyPath(section, key), text);
    m_settings->sync();
}

bool QSettingsStore::contains(const QString &section, const QString &key) const
{
    return m_settings->contains(keyPath(section, key));
}

QString QSettingsStore::location() const
{
    return m_settings->fileName();
}

} // namespace kelvane
