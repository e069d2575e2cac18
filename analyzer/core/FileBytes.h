#pragma once
// Whole files read into one buffer that is kept from file to file.

#include "kelvane/formats/FileResult.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace kelvane::analyzer {

class FileBytes
{
public:
    // The bytes of the file at `path`, valid until the next read; or why it cannot be
    // read, the system's words ("No such file or directory", "Is a directory", ...) as
    // the error's reason.
    FileResult<QByteArrayView> read(const QString &path);

private:
    std::vector<char> m_buffer;
    std::size_t m_size = 0;
};

} // namespace kelvane::analyzer
