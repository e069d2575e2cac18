#pragma once
// The two sounds of the trial window: "sound.wav" when the target is found and
// "click.wav" for every other opened box.

#include <QSet>
#include <QString>

#include <memory>

class QSoundEffect;

namespace kelvane {

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void open(const QString &path) = 0;
    // Plays from the beginning; a sound that is still playing starts over.
    virtual void play() = 0;
    virtual void close() = 0;
};

// A sound that cannot be played (no file, no audio device, a file the backend
// refuses) is silence: one warning in the log, never an error or a wait for the
// subject.
class QtSoundPlayer final : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void open(const QString &path) override;
    void play() override;
    void close() override;

private:
    void warnOnce(const QString &key, const QString &text);

    std::unique_ptr<QSoundEffect> m_effect;
    QSet<QString> m_warned;
};

} // namespace kelvane
