#pragma once
// Whole files read into one buffer that is kept from file to file.

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace kelvane::analyzer {

class FileBytes
{
public:
    // Reads the file at `path`; false with `why` filled ("No such file or directory",
    // "Is a directory", ...) when it cannot be read.
    bool read(const QString &path, QString *why);

    // The bytes of the file read last; valid until the next read.
    QByteArrayView bytes() const { return {m_buffer.data(), qsizetype(m_size)}; }

private:
    std::vector<char> m_buffer;
    std::size_t m_size = 0;
};

} // namespace kelvane::analyzer
