#pragma once
// The mouse pointer as a counter, the way the researchers' platform keeps it: every
// hide counts one down, every show one up, and the pointer is visible while the count
// is not negative. Two hides therefore need two shows.

namespace kelvane {

class PointerCounter
{
public:
    PointerCounter() = default;
    ~PointerCounter();
    PointerCounter(const PointerCounter &) = delete;
    PointerCounter &operator=(const PointerCounter &) = delete;

    // Both return the new count.
    int show();
    int hide();
    // One step up, but only while the pointer is hidden: a show on a visible pointer
    // would make the next hide fail to hide it.
    int showWhileHidden();

    int count() const { return m_count; }
    bool visible() const { return m_count >= 0; }

private:
    int m_count = 0;
};

} // namespace kelvane
