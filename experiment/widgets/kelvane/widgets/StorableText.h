#pragma once
// Texts typed by the researcher end up in cluster files and the settings store, which
// hold single-byte Windows-1252 text and quote every text without an escape. A double
// quote or a character the code page lacks would not read back, so fields refuse them
// as they are typed or pasted.

#include <QString>
#include <QValidator>

#include <optional>

class QLineEdit;

namespace kelvane {

// Why `text` cannot be stored: names the first character that cannot. Nothing when
// it can.
std::optional<QString> unstorableCharacter(QStringView text);

// Refuses any edit that would put such a character into the field.
class StorableTextValidator final : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// Shown beside a field whose input was refused.
QString refusedInputHint();

// Gives the field a StorableTextValidator and shows refusedInputHint() beside it each
// time an edit is refused.
void guardStorableText(QLineEdit *field);

} // namespace kelvane
