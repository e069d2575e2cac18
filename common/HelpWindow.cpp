#include "kelvane/HelpWindow.h"

#include "kelvane/ManualPages.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QTextDocument::ResourceType resourceTypeOf(const QUrl &url)
{
    return url.path().endsWith(QStringLiteral(".md"), Qt::CaseInsensitive) ? QTextDocument::MarkdownResource
                                                                            : QTextDocument::UnknownResource;
}

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *made = new QPushButton(caption, parent);
    made->setAccessibleName(QString(caption).remove(u'&'));
    return made;
}

} // namespace

ManualBrowser::ManualBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    // Links are followed here, so that one to a web address never leaves the manual
    // for a browser or a network.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ManualBrowser::follow);
}

void ManualBrowser::follow(const QUrl &link)
{
    const QUrl target = source().resolved(link);
    if (!target.isLocalFile() || !QFileInfo(target.toLocalFile()).isFile())
        return;
    setSource(target, resourceTypeOf(target));
}

void ManualBrowser::doSetSource(const QUrl &url, QTextDocument::ResourceType type)
{
    QTextBrowser::doSetSource(url, type == QTextDocument::UnknownResource ? resourceTypeOf(url) : type);
    anchorHeadings();
    fitPictures();
    if (url.hasFragment())
        scrollToAnchor(url.fragment());
}

void ManualBrowser::anchorHeadings()
{
    QList<QTextBlock> headingBlocks;
    QStringList headings;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            headingBlocks.append(block);
            headings.append(block.text());
        }
    }
    const QStringList anchors = manual::headingAnchors(headings);
    for (qsizetype i = 0; i < headingBlocks.size(); ++i) {
        QTextCursor cursor(headingBlocks[i]);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({anchors[i]});
        cursor.mergeCharFormat(anchor);
    }
}

void ManualBrowser::fitPictures()
{
    // Screenshots are wider than the window; shown whole, they fit its width.
    constexpr int widest = 760;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QVariant loaded = document()->resource(QTextDocument::ImageResource, QUrl(picture.name()));
            QImage image = loaded.value<QImage>();
            if (image.isNull())
                image = loaded.value<QPixmap>().toImage();
            if (image.isNull())
                image = QImage::fromData(loaded.toByteArray());
            const QSize size = image.size();
            if (size.width() <= widest)
                continue;
            picture.setWidth(widest);
            picture.setHeight(qreal(size.height()) * widest / size.width());
            QTextCursor cursor(document());
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

HelpWindow::HelpWindow(const QString &folder, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_folder(QDir::cleanPath(folder))
{
    setWindowTitle(QStringLiteral("Kelvane Manual"));
    setAccessibleName(windowTitle());
    m_back = button(QStringLiteral("&Back"), this);
    m_forward = button(QStringLiteral("&Forward"), this);
    QPushButton *contents = button(QStringLiteral("&Contents"), this);
    m_browser = new ManualBrowser(this);
    m_browser->setAccessibleName(QStringLiteral("Manual page"));
    m_browser->setSearchPaths({m_folder});

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { showPage(manual::ContentsPage); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    // Alt+Left and Alt+Right, as in a web browser, wherever the focus is: the page alone
    // knows them, and the window opens with the focus on a button.
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, m_back, &QAbstractButton::click);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, m_forward, &QAbstractButton::click);
    resize(820, 700);
}

void HelpWindow::showPage(const QString &page)
{
    QUrl url = QUrl::fromLocalFile(m_folder + u'/' + page.section(u'#', 0, 0));
    if (page.contains(u'#'))
        url.setFragment(page.section(u'#', 1));
    m_browser->setSource(url, resourceTypeOf(url));
}

QString HelpWindow::currentPage() const
{
    return QDir(m_folder).relativeFilePath(m_browser->source().toLocalFile());
}

} // namespace kelvane
