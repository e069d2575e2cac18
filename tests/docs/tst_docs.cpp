// What the manual promises a reader: every link and picture leads somewhere, the files it
// names exist, the command-line reference lists exactly the options the programs take,
// every control it names is one the windows have, every picture is made by the
// screenshot script, and the help window shows the pages and follows their links.

#include "../experiment/editor/EditorFixture.h"
#include "RunProgram.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include "SearchViewer.h"
#include "frmMain.h"
#include "kelvane/HelpWindow.h"
#include "kelvane/Manual.h"
#include "kelvane/ManualPages.h"
#include "kelvane/editor/NewStudyDialog.h"
#include "kelvane/iconedit/frmIconEdit.h"
#include "kelvane/options/Options.h"
#include "kelvane/runexp/OrdersPreviewDialog.h"
#include "kelvane/runexp/RunExp.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDirIterator>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <algorithm>

using namespace kelvane;
using namespace kelvane::test;

namespace {

const QString SourceDir = QStringLiteral(KELVANE_SOURCE_DIR);

// README.md and every page of docs/, relative to the source folder.
QStringList manualFiles()
{
    QStringList files{QStringLiteral("README.md")};
    QDirIterator pages(SourceDir + QStringLiteral("/docs"), {QStringLiteral("*.md")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (pages.hasNext())
        files.append(QDir(SourceDir).relativeFilePath(pages.next()));
    files.sort();
    return files;
}

// A page as prose: fenced code blocks and code spans left out, so that an option list
// such as "[--sav]" in an example is not taken for a link. A fenced line stays as an empty
// one, so that a line of the prose is the same line of the page.
struct Page
{
    QStringList headings;
    QString prose;
};

Page readPage(const QString &relativePath)
{
    static const QRegularExpression codeSpan(QStringLiteral("`[^`\n]*`"));
    Page page;
    bool fenced = false;
    const QString text = QString::fromUtf8(readBytes(SourceDir + u'/' + relativePath));
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(QStringLiteral("```"))) {
            fenced = !fenced;
            page.prose += u'\n';
            continue;
        }
        if (fenced) {
            page.prose += u'\n';
            continue;
        }
        if (line.startsWith(u'#'))
            page.headings.append(line.section(u' ', 1).trimmed());
        page.prose += QString(line).remove(codeSpan) + u'\n';
    }
    return page;
}

// The section of `text` under the heading line `heading`, up to the next heading of its
// level or above.
QString section(const QString &text, const QString &heading)
{
    const qsizetype start = text.indexOf(u'\n' + heading + u'\n');
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(QStringLiteral("\n## "), start + 1);
    return text.mid(start, end < 0 ? -1 : end - start);
}

QSet<QString> longOptions(const QString &text)
{
    static const QRegularExpression option(QStringLiteral(R"((?<![\w-])--[a-z][a-z0-9-]*)"));
    QSet<QString> found;
    for (const QRegularExpressionMatch &match : option.globalMatch(text))
        found.insert(match.captured(0));
    return found;
}

// Whether the text before `at`, on its line, is a step's number ("2. ").
bool opensNumberedStep(const QString &prose, qsizetype at)
{
    static const QRegularExpression stepNumber(QStringLiteral(R"(^\s*\d+\.\s+$)"));
    const qsizetype lineStart = at == 0 ? 0 : prose.lastIndexOf(u'\n', at - 1) + 1;
    return stepNumber.match(prose.mid(lineStart, at - lineStart)).hasMatch();
}

// The names the manual asks a reader to look for on screen: its bold spans, but not the
// lead-in of a paragraph or list item ("**Slots**:", "**Check the files.**") nor a question.
// A lead-in that opens a numbered step ("2. **Folder**: type ...") is the field the step
// fills in, named as assistive technology names it ("Problem sizes"); the label beside
// the field ("Problem sizes (boxes):") is not read as a second name for it.
QStringList quotedNames(const QString &prose)
{
    static const QRegularExpression bold(QStringLiteral(R"(\*\*([^*]+?)\*\*(:?))"));
    QStringList names;
    for (const QRegularExpressionMatch &match : bold.globalMatch(prose)) {
        // A name may be wrapped onto the next line.
        const QString text = match.captured(1).simplified();
        const bool termLeadIn = (!match.captured(2).isEmpty() || text.endsWith(u':'))
                                && !opensNumberedStep(prose, match.capturedStart());
        const bool leadIn = termLeadIn || text.endsWith(u'?')
                            || (text.endsWith(u'.') && !text.endsWith(QStringLiteral("...")));
        if (!leadIn)
            names.append(text.endsWith(u':') ? text.chopped(1) : text);
    }
    return names;
}

// Every "..." of a page's prose, with the line it starts on. A quote may wrap onto the
// next line of its paragraph; blank lines end a paragraph.
struct Quote
{
    int line;
    QString text;
};

QList<Quote> doubleQuoted(const QString &prose)
{
    static const QRegularExpression quoted(QStringLiteral(R"RE("([^"]+)")RE"));
    // Joining a paragraph's lines keeps every offset, so a quote's line can still be counted.
    QString paragraphs = prose;
    for (qsizetype i = 1; i + 1 < paragraphs.size(); ++i) {
        if (paragraphs[i] == u'\n' && paragraphs[i - 1] != u'\n' && paragraphs[i + 1] != u'\n')
            paragraphs[i] = u' ';
    }
    QList<Quote> quotes;
    for (const QRegularExpressionMatch &match : quoted.globalMatch(paragraphs))
        quotes.append({int(prose.first(match.capturedStart()).count(u'\n')) + 1, match.captured(1).simplified()});
    return quotes;
}

// The texts the programs can show or write: every string literal of their sources, with
// adjacent literals joined as the compiler joins them and the mnemonic ampersands and a
// title's "[*]" left out. A text is theirs when it is part of a literal, or when a literal
// with its %1..%9 filled in makes the whole text or, when the literal begins with a word,
// the text's beginning ("Order 2 begins with ..."). A blank is filled with a number, a
// name or a "..." (no spaces), and a literal with no word outside its blanks ("%1: %2")
// is not read as one: either would make nearly any text the program's.
class ProgramTexts
{
public:
    ProgramTexts()
    {
        for (const char *folder : {"common", "experiment", "analyzer", "formats"}) {
            QDirIterator sources(SourceDir + u'/' + QLatin1String(folder),
                                 {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                                 QDirIterator::Subdirectories);
            while (sources.hasNext())
                addLiteralsOf(QString::fromUtf8(readBytes(sources.next())));
        }
    }

    qsizetype size() const { return m_literals.size(); }

    bool has(const QString &text) const
    {
        if (isPartOfOne(text))
            return true;
        // "..." marks text left out, such as a file's name: what is around it is the program's.
        const QStringList parts = text.split(QStringLiteral("..."));
        return parts.size() > 1 && std::all_of(parts.begin(), parts.end(), [this](const QString &part) {
                   return part.trimmed().isEmpty() || isPartOfOne(part.trimmed());
               });
    }

private:
    bool isPartOfOne(const QString &text) const
    {
        return std::any_of(m_literals.begin(), m_literals.end(),
                           [&text](const QString &literal) { return literal.contains(text); })
               || std::any_of(m_filledIn.begin(), m_filledIn.end(), [&text](const FilledIn &literal) {
                      const QRegularExpressionMatch match = literal.pattern.match(
                          text, 0, QRegularExpression::PartialPreferCompleteMatch);
                      return match.hasMatch() || (literal.beginningToo && match.hasPartialMatch());
                  });
    }

    void addLiteralsOf(const QString &source)
    {
        // Comments and character literals are matched only to be passed over: a quote
        // in a comment is no text of the program, and '"' opens no string.
        static const QRegularExpression token(
            QStringLiteral(R"RE(//[^\n]*|/\*.*?\*/|(?<![0-9])'(?:[^'\\\n]|\\.)*'|R"([^(\s]*)\((.*?)\)\1"|"((?:[^"\\\n]|\\.)*)")RE"),
            QRegularExpression::DotMatchesEverythingOption);
        QString pending;
        qsizetype pendingEnd = -1;
        for (const QRegularExpressionMatch &match : token.globalMatch(source)) {
            const int group = match.hasCaptured(2) ? 2 : match.hasCaptured(3) ? 3 : 0;
            if (group == 0)
                continue;
            const bool adjacent = pendingEnd >= 0
                                  && source.sliced(pendingEnd, match.capturedStart() - pendingEnd).trimmed().isEmpty();
            if (adjacent) {
                pending += match.captured(group);
            } else {
                if (pendingEnd >= 0)
                    add(pending);
                pending = match.captured(group);
            }
            pendingEnd = match.capturedEnd();
        }
        if (pendingEnd >= 0)
            add(pending);
    }

    void add(QString literal)
    {
        static const QRegularExpression mnemonic(QStringLiteral("&(&?)"));
        static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
        static const QRegularExpression word(QStringLiteral("[[:alpha:]]{3}"));
        literal.remove(QStringLiteral("[*]")).replace(mnemonic, QStringLiteral("\\1"));
        m_literals.append(literal);
        QStringList pieces = literal.split(placeholder);
        if (pieces.size() == 1 || !pieces.join(QString()).contains(word))
            return;
        const bool beginsWithWord = pieces.front().contains(word);
        for (QString &piece : pieces)
            piece = QRegularExpression::escape(piece);
        m_filledIn.append({QRegularExpression(QRegularExpression::anchoredPattern(pieces.join(QStringLiteral("\\S+"))),
                                              QRegularExpression::DotMatchesEverythingOption),
                           beginsWithWord});
    }

    struct FilledIn
    {
        QRegularExpression pattern;
        bool beginningToo;
    };
    QStringList m_literals;
    QList<FilledIn> m_filledIn;
};

// What the windows show, as assistive technology reads it: every control's and menu
// item's name, the mnemonic ampersands left out, and every menu item under its menu path
// too ("Extra > Options").
struct WindowNames
{
    QSet<QString> names;
    QSet<QString> menuPaths;

    void collect(QAccessibleInterface *node, const QString &menuPath = {})
    {
        if (!node)
            return;
        QString path = menuPath;
        const QString name = node->text(QAccessible::Name).trimmed();
        if (!name.isEmpty()) {
            names.insert(name);
            if (node->role() == QAccessible::MenuItem) {
                path = menuPath.isEmpty() ? name : menuPath + QStringLiteral(" > ") + name;
                menuPaths.insert(path);
            }
        }
        // A button named for the ear ("Orders") still shows its caption ("Orders...").
        if (auto *button = qobject_cast<QAbstractButton *>(node->object()))
            names.insert(QString(button->text()).remove(QRegularExpression(QStringLiteral("&(?!&)"))));
        for (int i = 0; i < node->childCount(); ++i)
            collect(node->child(i), path);
    }

    bool has(const QString &quoted) const
    {
        return quoted.contains(QStringLiteral(" > ")) ? menuPaths.contains(quoted) : names.contains(quoted);
    }
};

// A folder that looks like a program's: the source's docs/ as its doc/.
struct ProgramFolderWithManual
{
    QTemporaryDir folder;
    ProgramFolderWithManual() { QFile::link(SourceDir + QStringLiteral("/docs"), folder.filePath(QStringLiteral("doc"))); }
    QString path() const { return folder.path(); }
};

// Where on the browser's viewport the link to `target` is drawn.
QPoint linkPosition(ManualBrowser *browser, const QString &target)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorHref() != target)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.fragment().position() + 1);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            return browser->cursorRect(cursor).center();
        }
    }
    return {-1, -1};
}

} // namespace

class DocsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksAndPicturesLeadToFilesAndHeadings()
    {
        static const QRegularExpression link(QStringLiteral(R"(\]\(([^)\s]+)\))"));
        QHash<QString, QStringList> anchorsOf;
        for (const QString &file : manualFiles())
            anchorsOf.insert(file, manual::headingAnchors(readPage(file).headings));

        QStringList broken;
        int links = 0;
        for (const QString &file : manualFiles()) {
            for (const QRegularExpressionMatch &match : link.globalMatch(readPage(file).prose)) {
                const QString target = match.captured(1);
                if (target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:")))
                    continue;
                ++links;
                const QString path = target.section(u'#', 0, 0);
                const QString anchor = target.section(u'#', 1);
                const QString targetFile = path.isEmpty() ? file
                                                          : QDir::cleanPath(QFileInfo(file).path() + u'/' + path);
                if (!QFileInfo::exists(SourceDir + u'/' + targetFile))
                    broken.append(QStringLiteral("%1: %2: no such file").arg(file, target));
                else if (!anchor.isEmpty() && !anchorsOf.value(targetFile).contains(anchor))
                    broken.append(QStringLiteral("%1: %2: %3 has no such heading").arg(file, target, targetFile));
            }
        }
        QVERIFY(links > 50);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
    }

    void filesTheManualNamesExist()
    {
        static const QRegularExpression named(QStringLiteral(R"((examples|tests/data)/[\w./-]+\.\w+)"));
        QStringList missing;
        for (const QString &file : manualFiles()) {
            const QString text = QString::fromUtf8(readBytes(SourceDir + u'/' + file));
            for (const QRegularExpressionMatch &match : named.globalMatch(text)) {
                // What a run writes beside the example is not in the source.
                const bool written = match.captured(0).endsWith(QStringLiteral(".bof"))
                                     || match.captured(0).endsWith(QStringLiteral(".events.csv"));
                if (!written && !QFileInfo::exists(SourceDir + u'/' + match.captured(0)))
                    missing.append(file + QStringLiteral(": ") + match.captured(0));
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

    void commandLineReferenceNamesTheOptionsHelpLists_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("kelvane") << QStringLiteral("kelvane");
        QTest::newRow("kelvane-check") << QStringLiteral("kelvane-check");
        QTest::newRow("kelvane-analyze") << QStringLiteral("kelvane-analyze");
    }

    void commandLineReferenceNamesTheOptionsHelpLists()
    {
        QFETCH(QString, program);
        const QString page = QStringLiteral("docs/reference/command-lines.md");
        const QString described = section(QString::fromUtf8(readBytes(SourceDir + u'/' + page)),
                                          QStringLiteral("## ") + program);
        QVERIFY2(!described.isEmpty(), qPrintable(QStringLiteral("%1 has no section \"## %2\"").arg(page, program)));

        const ProgramRun help = runProgram(QStringLiteral(KELVANE_PROGRAM_DIR "/") + program, {QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        const QSet<QString> listed = longOptions(help.out);
        const QSet<QString> documented = longOptions(described);
        QStringList differences;
        for (const QString &option : listed - documented)
            differences.append(QStringLiteral("%1 --help lists %2, but the section \"%1\" of %3 does not describe it")
                                   .arg(program, option, page));
        for (const QString &option : documented - listed)
            differences.append(QStringLiteral("the section \"%1\" of %3 names %2, which %1 --help does not list")
                                   .arg(program, option, page));
        differences.sort();
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
    }

    // A control the manual names that no window has sends the reader looking in vain, and
    // so does a text it quotes that the program never shows; an ampersand in the text is
    // a mnemonic copied from the code, which no screen shows. Words that are not the
    // program's (translations, terms) are written in italics, not in quotes.
    void theControlsTheManualNamesAreTheWindowsOwn()
    {
        EditorFixture editor;
        ProgramFolderWithManual program;
        Manual help(editor.dialogs, program.path());
        help.attach(editor.window.get(), manual::DesignPage);
        RunExp experiment(editor.program,
                          {editor.dialogs, *editor.store, editor.targetSound, editor.clickSound, editor.pointer});
        Options options(*editor.store, editor.dialogs, editor.program.IconFolder);
        NewStudyDialog newStudy(editor.dialogs, *editor.store);
        OrdersPreviewDialog ordersPreview({}, {});
        frmIconEdit iconEditor(editor.program.IconFolder, editor.dialogs);
        help.attach(&iconEditor, manual::IconEditorPage);
        ScriptedDialogs analyzerDialogs;
        analyzer::frmMain analyzer(analyzerDialogs);
        analyzer::SearchViewer viewer;
        HelpWindow manualWindow(SourceDir + QStringLiteral("/docs"));

        WindowNames shown;
        for (QWidget *window : std::initializer_list<QWidget *>{editor.window.get(), &experiment, &options,
                                                                 &newStudy, &ordersPreview, &iconEditor, &analyzer,
                                                                 &viewer, &manualWindow})
            shown.collect(QAccessible::queryAccessibleInterface(window));
        QVERIFY(shown.menuPaths.contains(QStringLiteral("Extra > Options")));

        const ProgramTexts texts;
        QVERIFY(texts.size() > 1000);
        // Labelled by the platform's message boxes and dialogs, not by the program.
        const QSet<QString> standardButtons{QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("OK"),
                                            QStringLiteral("Cancel"), QStringLiteral("Save")};

        static const QRegularExpression mnemonic(QStringLiteral(R"(&\w)"));
        QStringList wrong;
        int checked = 0;
        int quotes = 0;
        for (const QString &file : manualFiles()) {
            const QString prose = readPage(file).prose;
            if (const QRegularExpressionMatch match = mnemonic.match(prose); match.hasMatch())
                wrong.append(QStringLiteral("%1: an ampersand shows in \"%2\"")
                                 .arg(file, prose.mid(qMax(0, match.capturedStart() - 20), 40).simplified()));
            for (const QString &name : quotedNames(prose)) {
                ++checked;
                if (!shown.has(name))
                    wrong.append(QStringLiteral("%1: **%2** is the name of no control or menu item").arg(file, name));
            }
            // The developers' page quotes test data, which is no text of the program.
            if (file == QStringLiteral("docs/development.md"))
                continue;
            for (const Quote &quote : doubleQuoted(prose)) {
                ++quotes;
                if (!shown.has(quote.text) && !standardButtons.contains(quote.text) && !texts.has(quote.text))
                    wrong.append(QStringLiteral("%1:%2: \"%3\" is no text of the program")
                                     .arg(file)
                                     .arg(quote.line)
                                     .arg(quote.text));
            }
        }
        QVERIFY(checked > 50);
        QVERIFY(quotes > 100);
        wrong.removeDuplicates();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void everyPictureIsShownAndMadeByTheScreenshotScript()
    {
        static const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)\s]+)\))"));
        QSet<QString> shown;
        for (const QString &file : manualFiles()) {
            for (const QRegularExpressionMatch &match : picture.globalMatch(readPage(file).prose))
                shown.insert(QFileInfo(match.captured(1)).fileName());
        }
        const QString script = QString::fromUtf8(readBytes(SourceDir + QStringLiteral("/scripts/screenshots.sh")));
        QStringList wrong;
        const QStringList pictures = QDir(SourceDir + QStringLiteral("/docs/images")).entryList(QDir::Files);
        for (const QString &name : pictures) {
            if (!shown.contains(name))
                wrong.append(QStringLiteral("docs/images/%1 is shown on no page").arg(name));
            if (!script.contains(name))
                wrong.append(QStringLiteral("docs/images/%1 is not made by scripts/screenshots.sh").arg(name));
        }
        QVERIFY(pictures.size() > 10);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void pagesTheWindowsOpenExist()
    {
        for (const QString &page : manual::pagesWindowsOpen()) {
            const QString file = QStringLiteral("docs/") + page.section(u'#', 0, 0);
            QVERIFY2(QFileInfo::exists(SourceDir + u'/' + file), qPrintable(file));
            const QString anchor = page.section(u'#', 1);
            if (!anchor.isEmpty())
                QVERIFY2(manual::headingAnchors(readPage(file).headings).contains(anchor), qPrintable(page));
        }
    }

    void f1OpensTheWindowsPageAndLinksMoveBetweenPages()
    {
        ProgramFolderWithManual program;
        ScriptedDialogs dialogs;
        Manual help(dialogs, program.path());
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("&File"));
        help.attach(&window, manual::IconEditorPage);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.menuBar()->actions().last()->text(), QStringLiteral("&Help"));

        QTest::keyClick(&window, Qt::Key_F1);
        HelpWindow *shown = help.window();
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->currentPage(), QStringLiteral("howto/options-and-icons.md"));
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        // Opened at the icon editor's section, not the page's top.
        QTRY_VERIFY(shown->browser()->verticalScrollBar()->value() > 0);
        QVERIFY(!shown->browser()->document()->isEmpty());

        const QPoint link = linkPosition(shown->browser(), QStringLiteral("../reference/folders-and-settings.md#the-settings-store"));
        QVERIFY(link.x() >= 0);
        QTest::mouseClick(shown->browser()->viewport(), Qt::LeftButton, {}, link);
        QCOMPARE(shown->currentPage(), QStringLiteral("reference/folders-and-settings.md"));
        QVERIFY(shown->browser()->toPlainText().contains(QStringLiteral("The settings store")));

        QPushButton *back = nullptr;
        for (QPushButton *button : shown->findChildren<QPushButton *>()) {
            if (button->accessibleName() == QStringLiteral("Back"))
                back = button;
        }
        QVERIFY(back && back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(shown->currentPage(), QStringLiteral("howto/options-and-icons.md"));
        // The keys move too when the focus is not on the page.
        QTest::keyClick(shown, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(shown->currentPage(), QStringLiteral("reference/folders-and-settings.md"));
        QTest::keyClick(shown, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shown->currentPage(), QStringLiteral("howto/options-and-icons.md"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aMissingManualIsNamedWithWhereItWasLookedFor()
    {
        QTemporaryDir empty;
        ScriptedDialogs dialogs;
        Manual help(dialogs, empty.path());
        help.show(manual::DesignPage);
        QVERIFY(!help.window());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.contains(empty.path() + QStringLiteral("/doc")));
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("share/doc/kelvane")));
    }
};

QTEST_MAIN(DocsTest)
#include "tst_docs.moc"
