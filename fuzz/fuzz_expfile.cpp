// Any bytes must give either a problem and no entries, or entries that can all be
// written and that come back as the very same list, and the same bytes, after writing.

#include "kelvane/formats/ExperimentFile.h"

#include <cstdint>
#include <cstdlib>

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = QStringLiteral("/fuzz/study.bex");
    const ExperimentFileContent first =
        readExperimentBytes(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), path);
    if (first.problem) {
        if (!first.entries.isEmpty() || !first.problem->description.startsWith(path))
            std::abort();
        return 0;
    }
    for (const QString &entry : first.entries) {
        if (unwritableEntry(entry))
            std::abort();
    }
    const QByteArray written = experimentFileBytes(first.entries);
    const ExperimentFileContent second = readExperimentBytes(written, path);
    if (second.problem || second.entries != first.entries || experimentFileBytes(second.entries) != written)
        std::abort();
    return 0;
}
