#pragma once
// The two sounds of the trial window: "sound.wav" when the target is found and
// "click.wav" for every other opened box.

#include <QSet>
#include <QString>
#include <QThread>

#include <mutex>

class QSoundEffect;

namespace kelvane {

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Makes the sound ready to play at once: loaded and its audio device opened.
    virtual void open(const QString &path) = 0;
    // Plays from the beginning; a sound that is still playing starts over.
    virtual void play() = 0;
    virtual void close() = 0;
};

// Remembers which sound problems have been logged, so that players sharing it log each
// problem (a missing file, no audio device) once for the program's life.
class SoundWarnings
{
public:
    // May be called from the players' own threads.
    void warnOnce(const QString &key, const QString &text);

private:
    std::mutex m_mutex;
    QSet<QString> m_warned;
};

// A sound that cannot be played (no file, no audio device, a file the backend
// refuses) is silence and a warning in the log, never an error or a wait for the
// subject.
//
// The sound lives on a thread of its own: starting a sound talks to the audio service
// (a few milliseconds, tens on a busy machine), and the trial's thread must not wait
// for that between a click and the repaint that shows the box open. Opening waits,
// before the start screen, until the sound is decoded and the device has been opened.
class QtSoundPlayer final : public SoundPlayer
{
public:
    explicit QtSoundPlayer(SoundWarnings &warnings);
    ~QtSoundPlayer() override;

    void open(const QString &path) override;
    void play() override;
    void close() override;

private:
    // A sound not decoded after this long plays whenever it is ready.
    static constexpr int LoadLimitMs = 3000;
    // On the sound's thread.
    void load(const QString &path);

    QThread m_thread;
    QSoundEffect *m_effect = nullptr; // lives on m_thread
    SoundWarnings &m_warnings;
};

} // namespace kelvane
