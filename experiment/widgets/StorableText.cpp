#include "kelvane/widgets/StorableText.h"

#include "kelvane/Windows1252.h"

#include <QLineEdit>
#include <QToolTip>

namespace kelvane {

std::optional<QString> unstorableCharacter(QStringView text)
{
    if (text.contains(u'"'))
        return QStringLiteral("a double quote (\")");
    QChar unmappable;
    toWindows1252(text, &unmappable);
    if (!unmappable.isNull())
        return QStringLiteral("the character \"%1\" (U+%2)")
            .arg(unmappable)
            .arg(unmappable.unicode(), 4, 16, QChar(u'0'));
    return std::nullopt;
}

QValidator::State StorableTextValidator::validate(QString &input, int &) const
{
    return unstorableCharacter(input) ? Invalid : Acceptable;
}

QString refusedInputHint()
{
    return QStringLiteral("Double quotes and characters outside Windows-1252 cannot be stored "
                          "in a cluster file.");
}

void guardStorableText(QLineEdit *field)
{
    field->setValidator(new StorableTextValidator(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [field] {
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), refusedInputHint(), field);
    });
}

} // namespace kelvane
