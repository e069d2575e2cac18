#pragma once
// The generator's own random numbers: a splitmix64 sequence and uniform draws defined
// here, so that a seed gives the same study with every compiler and standard library.

#include <QtGlobal>

#include <utility>
#include <vector>

namespace kelvane {

class StudyRandom
{
public:
    explicit StudyRandom(quint64 seed) : m_state(seed) {}

    // The next 64 bits of the sequence.
    quint64 next();
    // A whole number from 0 to n - 1, every one equally likely; n > 0.
    quint64 below(quint64 n);
    // A whole number from `low` to `high`, both included; low <= high.
    int between(int low, int high);

    // Fisher-Yates, from the last place down to the second.
    template<typename T>
    void shuffle(std::vector<T> &items)
    {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[std::size_t(below(i))]);
    }

private:
    quint64 m_state;
};

} // namespace kelvane
