#include "kelvane/trial/PointerCounter.h"

#include <QCursor>
#include <QGuiApplication>

namespace kelvane {

// The blank cursor is an application-wide override, so it also covers windows that
// open while the pointer is hidden.
int PointerCounter::show()
{
    if (++m_count == 0)
        QGuiApplication::restoreOverrideCursor();
    return m_count;
}

int PointerCounter::showWhileHidden()
{
    return visible() ? m_count : show();
}

int PointerCounter::hide()
{
    if (--m_count == -1)
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    return m_count;
}

PointerCounter::~PointerCounter()
{
    if (m_count < 0)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace kelvane
