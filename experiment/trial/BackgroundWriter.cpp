#include "kelvane/trial/BackgroundWriter.h"

namespace kelvane {

BackgroundWriter::BackgroundWriter() : m_thread([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void BackgroundWriter::replace(const QString &path, const QByteArray &bytes)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({path, bytes, true});
    }
    m_wake.notify_one();
}

void BackgroundWriter::append(const QString &path, const QByteArray &bytes)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({path, bytes, false});
    }
    m_wake.notify_one();
}

void BackgroundWriter::waitUntilWritten()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

std::optional<FileError> BackgroundWriter::failure() const
{
    std::lock_guard lock(m_mutex);
    return m_failures.isEmpty() ? std::nullopt : std::optional<FileError>(m_failures.front());
}

QList<FileError> BackgroundWriter::failures() const
{
    std::lock_guard lock(m_mutex);
    return m_failures;
}

void BackgroundWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return; // stopping, and everything is written
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        if (job.replace)
            m_failedPaths.removeAll(job.path);
        if (!m_failedPaths.contains(job.path)) {
            m_busy = true;
            lock.unlock();
            FileError error;
            const bool written = job.replace ? replaceDurably(job.path, job.bytes, &error)
                                             : appendDurably(job.path, job.bytes, &error);
            lock.lock();
            m_busy = false;
            if (!written) {
                m_failures.append(error);
                m_failedPaths.append(job.path);
            }
        }
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

} // namespace kelvane
