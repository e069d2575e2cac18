#pragma once
// The manual shown in a window of its own: Markdown pages with their pictures, links
// between pages followed inside the window, nothing fetched from a network.

#include <QTextBrowser>
#include <QWidget>

class QPushButton;

namespace kelvane {

// Follows links between the manual's files and gives every heading the anchor the
// manual's links use.
class ManualBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ManualBrowser(QWidget *parent = nullptr);

protected:
    void doSetSource(const QUrl &url, QTextDocument::ResourceType type) override;

private:
    void follow(const QUrl &link);
    void anchorHeadings();
    void fitPictures();
};

class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // `folder` holds the manual's contents page.
    explicit HelpWindow(const QString &folder, QWidget *parent = nullptr);

    // `page` is relative to the manual's folder and may end in "#anchor".
    void showPage(const QString &page);
    ManualBrowser *browser() const { return m_browser; }
    // The file shown, relative to the manual's folder, without its anchor.
    QString currentPage() const;

private:
    QString m_folder;
    ManualBrowser *m_browser = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_forward = nullptr;
};

} // namespace kelvane
