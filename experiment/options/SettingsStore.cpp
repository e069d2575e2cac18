#include "kelvane/options/SettingsStore.h"

#include "kelvane/FileSaving.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace kelvane {

namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

bool isTextValue(const QVariant &value)
{
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QStringList;
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
    const QVariant value = m_settings->value(keyPath(section, key));
    // A text typed into the file by hand with a comma in it, unquoted, comes back as
    // a list; the researcher meant the text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
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

bool QSettingsStore::holdsText(const QString &section, const QString &key) const
{
    const QVariant value = m_settings->value(keyPath(section, key));
    return !value.isValid() || isTextValue(value);
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
    if (problem) {
        const QString path = QDir::toNativeSeparators(location());
        *problem = QStringLiteral("The settings could not be saved in %1: %2")
                       .arg(path, whyCannotReplace(path).description);
    }
    return false;
}

QString QSettingsStore::location() const
{
    return m_settings->fileName();
}

} // namespace kelvane
