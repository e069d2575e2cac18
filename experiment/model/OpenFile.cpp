#include "kelvane/model/OpenFile.h"

#include "kelvane/formats/BoxSizeFile.h"
#include "kelvane/model/ClusterFileReader.h"

namespace kelvane {

bool OpenFile(Program &program, const QString &Bestand, FileError *error)
{
    ClusterFileContent content = readClusterFile(Bestand, ObjectRow::Ignore);
    program.Cluster = std::move(content.cluster);
    if (content.problem) {
        if (error)
            *error = *content.problem;
        return false;
    }
    if (const FileResult<void> sizes = readBoxSizes(Bestand, program.Cluster); !sizes) {
        if (error)
            *error = sizes.error();
        return false;
    }
    program.ClusterFile = Bestand;
    program.ClusterName = Bestand;
    return true;
}

} // namespace kelvane
