#include "kelvane/options/SettingsStore.h"

#include <QDir>
#include <QSettings>

namespace kelvane {

namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

} // namespace

QSettingsStore::QSettingsStore()
    : m_open([] {
          return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Kelvane"), QStringLiteral("Kelvane"));
      }),
      m_settings(m_open())
{
}

QSettingsStore::QSettingsStore(const QString &iniPath)
    : m_open([iniPath] { return std::make_unique<QSettings>(iniPath, QSettings::IniFormat); }),
      m_settings(m_open())
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
}

void QSettingsStore::remove(const QString &section, const QString &key)
{
    m_settings->remove(keyPath(section, key));
}

bool QSettingsStore::contains(const QString &section, const QString &key) const
{
    return m_settings->contains(keyPath(section, key));
}

bool QSettingsStore::commit(QString *problem)
{
    // A QSettings keeps reporting its first failed write for good, even one met while it
    // was being made; a fresh one over the same file shares the unwritten values and
    // reports this attempt's own outcome.
    if (m_settings->status() == QSettings::AccessError)
        m_settings = m_open();
    m_settings->sync();
    // A format error only says the file held damaged lines when it was read; the
    // values were still written.
    if (m_settings->status() != QSettings::AccessError)
        return true;
    if (problem)
        *problem = QStringLiteral("The settings could not be written to %1. Its folder may be "
                                  "missing or read-only, or the disk may be full.")
                       .arg(QDir::toNativeSeparators(location()));
    return false;
}

QString QSettingsStore::location() const
{
    return m_settings->fileName();
}

} // namespace kelvane
