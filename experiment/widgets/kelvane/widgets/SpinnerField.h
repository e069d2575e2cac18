#pragma once
// A free-text field with up and down arrows, for the trial numbers the researcher may
// type as anything: the arrows add or take one from the number the text starts with.

#include <QAbstractSpinBox>
#include <QString>

namespace kelvane {

// The decimal text of (leading number of `text` + `steps`), in its shortest form: "10"
// and +1 give "11", "abc" and -1 give "-1", "2.5" and +1 give "3.5". No bounds.
QString stepLeadingNumber(QStringView text, int steps);

class SpinnerField : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit SpinnerField(QWidget *parent = nullptr);

    // Sets the text without reporting an edit.
    void setText(const QString &text);
    QLineEdit *field() const { return lineEdit(); }

    void stepBy(int steps) override;

Q_SIGNALS:
    // The researcher typed or stepped; not sent by setText.
    void edited(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    // A wheel turned over a field the researcher is not working in scrolls the window
    // instead of changing a trial setting by accident.
    void wheelEvent(QWheelEvent *event) override;
};

// A spinner in a frame captioned `caption`, its unit after it, added to `parent`'s layout.
SpinnerField *framedSpinner(QWidget *parent, const QString &caption, const QString &unit);

} // namespace kelvane
