// Any bytes must read as values without a crash. Every value that can be written must
// read back as the same value, every number read must survive its own short number
// form, and the code page must give back the very bytes it was given.

#include "kelvane/TextNumbers.h"
#include "kelvane/ValueReader.h"
#include "kelvane/ValueWriter.h"
#include "kelvane/Windows1252.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace kelvane;

namespace {

bool closeEnough(double a, double b, double relative)
{
    return a == b || std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

void checkNumberForms(double value)
{
    if (!std::isfinite(value))
        return;
    if (!closeEnough(leadingNumber(shortNumberForm(value)), value, 1e-14))
        std::abort();
    const float single = float(value);
    if (std::isfinite(single) && !closeEnough(leadingNumber(shortNumberForm(single)), double(single), 1e-6))
        std::abort();
}

void checkWrittenBack(const Value &value)
{
    if (!ValueWriter::canWrite(value.text))
        return;
    ValueWriter writer;
    writer.value(value);
    ValueReader again(writer.result());
    const std::optional<Value> back = again.next();
    if (!back || back->kind != value.kind || !again.atEnd())
        std::abort();
    if (value.kind == Value::Kind::Number) {
        const double number = leadingNumber(value.text);
        if (std::isfinite(number) && !closeEnough(leadingNumber(back->text), number, 1e-14))
            std::abort();
    } else if (back->text != value.text || back->boolean != value.boolean) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = fromWindows1252(bytes);
    if (toWindows1252(text) != bytes)
        std::abort();

    ValueReader reader(text);
    int line = reader.line();
    while (const std::optional<Value> value = reader.next()) {
        if (reader.line() < line)
            std::abort();
        line = reader.line();
        checkWrittenBack(*value);
        checkNumberForms(leadingNumber(value->text));
    }
    if (!reader.atEnd())
        std::abort();
    checkNumberForms(leadingNumber(text));
    qint64 whole = 0;
    parseWholeNumber(text, &whole);
    return 0;
}
