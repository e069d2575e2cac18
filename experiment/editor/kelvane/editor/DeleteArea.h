#pragma once
// The "Delete" area: a box dropped here is deleted from the trial.

#include "kelvane/editor/EditorDrag.h"

#include <QFrame>


namespace kelvane {

class DeleteArea : public QFrame
{
    Q_OBJECT

public:
    explicit DeleteArea(QWidget *parent = nullptr);
    void setDragToken(const QString &token) { m_token = token; }

Q_SIGNALS:
    void dropped(const kelvane::DragPayload &payload);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool accepts(QDropEvent *event);
    void setHighlighted(bool highlighted);

    QString m_token;
};

} // namespace kelvane
