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
    std::lock_guard lock(m_mutex);
    if (m_warned.contains(key))
        return;
    m_warned.insert(key);
    qWarning().noquote() << text;
}

QtSoundPlayer::QtSoundPlayer(SoundWarnings &warnings) : m_warnings(warnings)
{
    m_thread.setObjectName(QStringLiteral("sound"));
    m_thread.start();
}

QtSoundPlayer::~QtSoundPlayer()
{
    close();
    m_thread.quit();
    m_thread.wait();
}

void QtSoundPlayer::open(const QString &path)
{
    close();
    if (!QFileInfo(path).isFile()) {
        m_warnings.warnOnce(path, QStringLiteral("Sound %1 is missing; it will not be heard.").arg(path));
        return;
    }
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        m_warnings.warnOnce(QStringLiteral("no device"),
                 QStringLiteral("No audio output device; the trial sounds will not be heard."));
        return;
    }
    m_effect = new QSoundEffect;
    m_effect->moveToThread(&m_thread);
    QMetaObject::invokeMethod(m_effect, [this, path] { load(path); }, Qt::BlockingQueuedConnection);
}

// The sound is decoded on a thread of the audio backend, and the audio device is
// connected when a sound first starts, which after a fresh start of the audio service
// can take seconds. Both happen here: the decoding is waited for, and the device is
// opened by playing the sound once, muted.
void QtSoundPlayer::load(const QString &path)
{
    QObject::connect(m_effect, &QSoundEffect::statusChanged, m_effect, [this, path, effect = m_effect] {
        if (effect->status() == QSoundEffect::Error)
            m_warnings.warnOnce(path, QStringLiteral("Sound %1 cannot be played; it will not be heard.").arg(path));
    });
    m_effect->setSource(QUrl::fromLocalFile(path));
    if (m_effect->status() == QSoundEffect::Loading) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(m_effect, &QSoundEffect::statusChanged, &loop, [&loop, effect = m_effect] {
            if (effect->status() != QSoundEffect::Loading)
                loop.quit();
        });
        limit.start(LoadLimitMs);
        loop.exec();
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
    if (!m_effect)
        return;
    QMetaObject::invokeMethod(m_effect, [effect = m_effect] {
        if (effect->status() == QSoundEffect::Error)
            return;
        effect->stop();
        effect->play();
    }, Qt::QueuedConnection);
}

void QtSoundPlayer::close()
{
    if (!m_effect)
        return;
    QMetaObject::invokeMethod(m_effect, [effect = m_effect] { delete effect; }, Qt::BlockingQueuedConnection);
    m_effect = nullptr;
}

} // namespace kelvane
