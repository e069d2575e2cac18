#include "FileBytes.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvane::analyzer {

namespace {

constexpr std::size_t FirstCapacity = 64 * 1024;

FileError readError(const QString &path, int number)
{
    const QString why = QString::fromLocal8Bit(std::strerror(number));
    const int code = number == ENOENT ? ErrorCode::FileNotFound : ErrorCode::PathFileAccessError;
    return {code, QStringLiteral("Could not read %1: %2").arg(path, why), why};
}

} // namespace

FileResult<QByteArrayView> FileBytes::read(const QString &path)
{
    m_size = 0;
    // Plain system calls: one open, reads until the end, one close; the buffer is
    // reused, so a study of small files costs no allocation per file.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return readError(path, errno);
    if (m_buffer.empty())
        m_buffer.resize(FirstCapacity);
    while (true) {
        if (m_size == m_buffer.size())
            m_buffer.resize(2 * m_buffer.size());
        const ssize_t got = ::read(fd, m_buffer.data() + m_size, m_buffer.size() - m_size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int number = errno;
            ::close(fd);
            m_size = 0;
            return readError(path, number);
        }
        if (got == 0)
            break;
        m_size += std::size_t(got);
    }
    ::close(fd);
    return QByteArrayView(m_buffer.data(), qsizetype(m_size));
}

} // namespace kelvane::analyzer
