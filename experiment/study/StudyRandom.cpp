#include "kelvane/study/StudyRandom.h"

namespace kelvane {

quint64 StudyRandom::next()
{
    m_state += 0x9E3779B97F4A7C15ULL;
    quint64 z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

quint64 StudyRandom::below(quint64 n)
{
    // Values under 2^64 mod n would make the low remainders likelier; they are drawn again.
    const quint64 unfair = (0 - n) % n;
    quint64 x = next();
    while (x < unfair)
        x = next();
    return x % n;
}

int StudyRandom::between(int low, int high)
{
    return low + int(below(quint64(qint64(high) - qint64(low) + 1)));
}

} // namespace kelvane
