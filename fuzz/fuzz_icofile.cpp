// Any bytes must be read without a crash or a read past their end, and whatever reads
// as an icon must come back pixel for pixel after writing it out and reading it again.

#include "kelvane/iconedit/IconCodec.h"

#include <cstdlib>

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const DecodedPicture first =
        decodePicture(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (first.icon.has_value() != (first.problem == PictureProblem::None))
        std::abort();
    if (!first.icon)
        return 0;
    const QByteArray written = encodeIcon(*first.icon);
    const DecodedPicture second = decodePicture(written);
    if (!second.icon || !(*second.icon == *first.icon) || encodeIcon(*second.icon) != written)
        std::abort();
    return 0;
}
