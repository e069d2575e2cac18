#pragma once

#include "kelvane/trial/SoundPlayer.h"

#include <QStringList>

namespace kelvane::test {

// Records what the trial window asks of a sound player: "open <path>", "play", "close".
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    void open(const QString &path) override { calls.append(QStringLiteral("open ") + path); }
    void play() override { calls.append(QStringLiteral("play")); }
    void close() override { calls.append(QStringLiteral("close")); }

    qsizetype plays() const { return calls.count(QStringLiteral("play")); }

    QStringList calls;
};

} // namespace kelvane::test
