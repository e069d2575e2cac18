#pragma once

#include "kelvane/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace kelvane {

// The real dialogs: QMessageBox, QInputDialog, QFileDialog and QColorDialog.
class QtDialogs final : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const QString &title, const QString &text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok,
                   Answer defaultAnswer = Answer::Ok) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest &request) override;
    std::optional<ColourValue> chooseColour(ColourValue initial) override;
    std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                  int current) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace kelvane
