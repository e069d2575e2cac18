#include "kelvane/trial/PointerShownDialogs.h"

namespace kelvane {

void PointerShownDialogs::aroundEach(const std::function<void()> &show)
{
    int shown = 0;
    while (!m_pointer.visible()) {
        m_pointer.show();
        ++shown;
    }
    show();
    for (; shown > 0; --shown)
        m_pointer.hide();
}

} // namespace kelvane
