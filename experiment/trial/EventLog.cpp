#include "kelvane/trial/EventLog.h"

#include "kelvane/Windows1252.h"

namespace kelvane {

void EventLog::startClusterLog(const QString &path)
{
    m_cluster = path;
    m_writer.replace(path, toWindows1252(eventLogTitleLine()));
}

void EventLog::startSubjectLog(const QString &path)
{
    m_subject = path;
    m_writer.replace(path, toWindows1252(eventLogTitleLine()));
}

void EventLog::add(const QString &clusterName, const TrialEvent &event)
{
    const QByteArray line = toWindows1252(eventLogLine(clusterName, event));
    if (!m_cluster.isEmpty())
        m_writer.append(m_cluster, line);
    if (!m_subject.isEmpty())
        m_writer.append(m_subject, line);
}

void EventLog::addSessionLine(const QString &line)
{
    const QString &log = m_subject.isEmpty() ? m_cluster : m_subject;
    if (!log.isEmpty())
        m_writer.append(log, toWindows1252(line));
}

void EventLog::addSubjectLine(const QString &line)
{
    if (!m_subject.isEmpty())
        m_writer.append(m_subject, toWindows1252(line));
}

void EventLog::addClusterLine(const QString &line)
{
    if (!m_cluster.isEmpty())
        m_writer.append(m_cluster, toWindows1252(line));
}

} // namespace kelvane
