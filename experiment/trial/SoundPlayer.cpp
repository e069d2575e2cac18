#include "kelvane/trial/SoundPlayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QEventLoop>
#include <QSoundEffect>
#include <QTimer>
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
    waitUntilReady();
}

// The sound is decoded on a thread of the audio backend, and the audio device is
// connected when a sound first starts, which after a fresh start of the audio
// service can take seconds. Both happen here, before the subject sees a trial: the
// decoding is waited for (input is held back meanwhile) and the device is opened by
// playing the sound once, muted.
void QtSoundPlayer::waitUntilReady()
{
    if (m_effect->status() == QSoundEffect::Loading) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(m_effect.get(), &QSoundEffect::statusChanged, &loop, [&loop, this] {
            if (m_effect->status() != QSoundEffect::Loading)
                loop.quit();
        });
        limit.start(LoadLimitMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (m_effect->status() != QSoundEffect::Ready)
        return;
    m_effect->setMuted(true);
    m_effect->play();
    m_effect->stop();
    m_effect->setMuted(false);
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
