#pragma once

#include "kelvane/model/Program.h"

#include <QMainWindow>

namespace kelvane {

// The program's main window until the cluster editor takes its place: it shows the
// cluster in memory (its first trial's settings) and the stored picture rows.
class DefaultsWindow : public QMainWindow
{
    Q_OBJECT

public:
    DefaultsWindow(const Program &program, double iconSizeTwips, QWidget *parent = nullptr);

    // Shown picture names that have no file in the icon folder.
    const QStringList &missingPictures() const { return m_missing; }

private:
    QWidget *pictureRow(const std::array<QString, PictureNameLists::Size> &names, int count);

    const Program &m_program;
    int m_iconPixels;
    QStringList m_missing;
};

} // namespace kelvane
