#include "kelvane/trial/SoundPlayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <QtDebug>

namespace kelvane {

void SoundWarnings::warnOnce(const QString &key, const QString &text)
{
    if (m_warned.contains(key))
        return;
    m_warned.insert(key);
    qWarning().noquote() << text;
}

QtSoundPlayer::QtSoundPlayer(SoundWarnings &warnings) : m_warnings(warnings) {}
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::open(const QString &path)
{
    m_effect.reset();
    if (!QFileInfo(path).isFile()) {
        m_warnings.warnOnce(path, QStringLiteral("Sound %1 is missing; it will not be heard.").arg(path));
        return;
    }
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        m_warnings.warnOnce(QStringLiteral("no device"),
                 QStringLiteral("No audio output device; the trial sounds will not be heard."));
        return;
    }
    m_effect = std::make_unique<QSoundEffect>();
    QObject::connect(m_effect.get(), &QSoundEffect::statusChanged, m_effect.get(),
                     [this, path, effect = m_effect.get()] {
                         if (effect->status() == QSoundEffect::Error)
                             m_warnings.warnOnce(path, QStringLiteral("Sound %1 cannot be played; it will not be heard.")
                                                .arg(path));
                     });
    m_effect->setSource(QUrl::fromLocalFile(path));
}

void QtSoundPlayer::play()
{
    if (!m_effect || m_effect->status() == QSoundEffect::Error)
        return;
    m_effect->stop();
    m_effect->play();
}

void QtSoundPlayer::close()
{
    m_effect.reset();
}

} // namespace kelvane
