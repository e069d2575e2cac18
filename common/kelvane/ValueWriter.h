#pragma once
// Writes values in the form the value reader takes back: texts between double quotes,
// whole numbers plain, booleans as #TRUE# / #FALSE#, each followed by a comma.

#include "kelvane/ValueReader.h"

#include <QString>

namespace kelvane {

class ValueWriter
{
public:
    void text(QStringView value);
    void number(double value);
    void boolean(bool value);
    // Writes a value read by ValueReader back in its own kind.
    void value(const Value &value);

    const QString &result() const { return m_out; }

    // A double quote ends a quoted text early and no escape exists for it, so a text
    // holding one cannot be written so that it reads back.
    static bool canWrite(QStringView text) { return !text.contains(u'"'); }

private:
    QString m_out;
};

} // namespace kelvane
