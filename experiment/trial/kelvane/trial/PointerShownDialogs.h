#pragma once
// Dialogs for the researcher while the subject's pointer may be hidden: every message,
// question and file dialog brings the pointer back while it is up and hides it again
// after, so the researcher can answer with the mouse.

#include "kelvane/ForwardingDialogs.h"
#include "kelvane/trial/PointerCounter.h"

namespace kelvane {

class PointerShownDialogs final : public ForwardingDialogs
{
public:
    PointerShownDialogs(Dialogs &dialogs, PointerCounter &pointer) : ForwardingDialogs(dialogs), m_pointer(pointer) {}

private:
    void aroundEach(const std::function<void()> &show) override;

    PointerCounter &m_pointer;
};

} // namespace kelvane
