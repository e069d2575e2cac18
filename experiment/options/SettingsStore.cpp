#include "kelvane/options/SettingsStore.h"

#include "kelvane/FileSaving.h"

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
    : m_settings(open())
{
}

QSettingsStore::QSettingsStore(const QString &iniPath)
    : m_iniPath(iniPath), m_settings(open())
{
}

QSettingsStore::~QSettingsStore() = default;

std::unique_ptr<QSettings> QSettingsStore::open() const
{
    if (!m_iniPath.isEmpty())
        return std::make_unique<QSettings>(m_iniPath, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Kelvane"), QStringLiteral("Kelvane"));
}

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
    reopenAfterFailure();
    m_settings->setValue(keyPath(section, key), text);
    m_settings->sync();
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

// QSettings keeps an error for good, and a new one tries the pending changes again as
// soon as it is made. So a new one is made only when the store is used next, by which
// time the researcher may have made room.
void QSettingsStore::reopenAfterFailure()
{
    if (!m_failed)
        return;
    m_settings = open();
    m_failed = false;
}

bool QSettingsStore::flush(QString *problem)
{
    reopenAfterFailure();
    m_settings->sync();
    // A file that could not be parsed is read as far as it goes and written anew, so
    // only a failed write counts.
    if (m_settings->status() != QSettings::AccessError)
        return true;
    const QString path = location();
    if (problem) {
        *problem = QStringLiteral("The settings could not be saved in %1: %2")
                       .arg(path, whyCannotReplace(path).description);
    }
    m_failed = true;
    return false;
}

QString QSettingsStore::location() const
{
    return m_settings->fileName();
}

} // namespace kelvane
