#include "kelvane/QtDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace kelvane {

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString startPath(const FileDialogRequest &request)
{
    // The platform's dialog would take a folder that does not exist for a file name.
    const QString folder = request.initialFolder.isEmpty() || QFileInfo(request.initialFolder).isDir()
                               ? request.initialFolder
                               : QDir::homePath();
    if (request.proposedName.isEmpty())
        return folder;
    if (QDir::isAbsolutePath(request.proposedName) || folder.isEmpty())
        return request.proposedName;
    return QDir(folder).filePath(request.proposedName);
}

} // namespace

Answer QtDialogs::message(const QString &title, const QString &text, MessageIcon icon,
                          MessageButtons buttons, Answer defaultAnswer)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (defaultAnswer) {
    case Answer::Yes: box.setDefaultButton(QMessageBox::Yes); break;
    case Answer::No: box.setDefaultButton(QMessageBox::No); break;
    case Answer::Cancel: box.setDefaultButton(QMessageBox::Cancel); break;
    case Answer::Ok: break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<QString> QtDialogs::input(const QString &title, const QString &prompt,
                                        const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal,
                                               defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(const FileDialogRequest &request)
{
    const QString path = QFileDialog::getOpenFileName(m_parent, request.title, startPath(request),
                                                      qtFilterFromPairs(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<QStringList> QtDialogs::openFiles(const FileDialogRequest &request)
{
    QStringList paths = QFileDialog::getOpenFileNames(m_parent, request.title, startPath(request),
                                                      qtFilterFromPairs(request.filter));
    if (paths.isEmpty())
        return std::nullopt;
    for (QString &path : paths)
        path = QDir::toNativeSeparators(path);
    return paths;
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest &request)
{
    // The programs ask their own overwrite question, with their own wording.
    const QString path = QFileDialog::getSaveFileName(m_parent, request.title, startPath(request),
                                                      qtFilterFromPairs(request.filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<QString> QtDialogs::chooseFolder(const FileDialogRequest &request)
{
    const QString path = QFileDialog::getExistingDirectory(m_parent, request.title, request.initialFolder);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<ColourValue> QtDialogs::chooseColour(ColourValue initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return ColourValue(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

std::optional<int> QtDialogs::chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                         int current)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(m_parent, title, prompt, items, current, false, &ok);
    if (!ok)
        return std::nullopt;
    return int(items.indexOf(chosen));
}

} // namespace kelvane
