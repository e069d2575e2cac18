// Any bytes must give either a problem and no entries, or entries that can all be
// written and that come back as the very same list, and the same bytes, after writing.

#include "kelvane/formats/ExperimentFile.h"

#include <cstdint>
#include <cstdlib>

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = QStringLiteral("/fuzz/study.bex");
    const FileResult<QStringList> first =
        readExperimentBytes(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), path);
    if (!first) {
        if (!first.error().description.startsWith(path))
            std::abort();
        return 0;
    }
    for (const QString &entry : *first) {
        if (unwritableEntry(entry))
            std::abort();
    }
    const QByteArray written = experimentFileBytes(*first);
    const FileResult<QStringList> second = readExperimentBytes(written, path);
    if (!second || *second != *first || experimentFileBytes(*second) != written)
        std::abort();
    return 0;
}
