#pragma once
// Durable writes done on a thread of their own, in the order asked. Each write opens
// the file, writes, forces the bytes to disk and closes it, as the result file's writes
// do; the thread that asks never waits for the disk, which on a busy machine can take
// tens of milliseconds per write.

#include "kelvane/FileSaving.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace kelvane {

class BackgroundWriter
{
public:
    BackgroundWriter();
    // Finishes every write asked for, then stops.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // Creates or empties the file and writes `bytes`.
    void replace(const QString &path, const QByteArray &bytes);
    void append(const QString &path, const QByteArray &bytes);

    // Blocks until every write asked for so far is on disk.
    void waitUntilWritten();
    // The first write that failed, if any, and every failure so far. Once a write to a
    // file has failed the writer drops the later appends to that file, so a file never
    // holds lines after a gap; other files go on being written, and a replace of the
    // file starts it afresh.
    std::optional<FileError> failure() const;
    QList<FileError> failures() const;

private:
    struct Job
    {
        QString path;
        QByteArray bytes;
        bool replace = false;
    };
    void run();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;
    QList<FileError> m_failures;
    QStringList m_failedPaths;
    std::thread m_thread;
};

} // namespace kelvane
