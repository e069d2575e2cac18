// Any bytes must read without a crash, and whatever reads completely and can be stored
// must come back the same after writing it out (positions may lose one twip).

#include "kelvane/Windows1252.h"
#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <cstdlib>

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fromWindows1252(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const ClusterFileContent first = readClusterText(text, ObjectRow::Read);
    if (first.problem || findUnwritableText(first.cluster, first.objectRow))
        return 0;

    const ClusterFileContent second =
        readClusterText(clusterFileText(first.cluster, first.objectRow), ObjectRow::Read);
    if (second.problem || second.objectRow != first.objectRow
        || second.cluster.Trials != first.cluster.Trials)
        std::abort();
    for (int t = 0; t < first.cluster.trialCount(); ++t) {
        if (second.cluster.CountBoxes(t) != first.cluster.CountBoxes(t))
            std::abort();
        for (int k = 1; k <= first.cluster.CountBoxes(t); ++k) {
            BoxRecord a = first.cluster.box(t, k);
            BoxRecord b = second.cluster.box(t, k);
            if (std::abs(a.Left - b.Left) > 1 || std::abs(a.Top - b.Top) > 1)
                std::abort();
            a.Left = b.Left;
            a.Top = b.Top;
            if (!(a == b))
                std::abort();
        }
    }
    return 0;
}
