#include "dialogs.h"
#include "fmgreshki.h"
#include "rtfreader.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocumentFragment>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

using namespace kesp;
using namespace kesp::declaration;

namespace {
const QString kVid = QStringLiteral("попълнената декларация");
const QString kHead1 =
    QStringLiteral("Списък на правилата за коректност, на които ") + kVid + QStringLiteral(" за");
const QString kHead3 = QStringLiteral("не отговаря:");
const QString kSaved = QStringLiteral("Файлът беше успешно създаден:");
const QString kNotSaved = QStringLiteral("Възникна грешка - файлът не може да бъде създаден!");
const QString kWillPrint =
    QStringLiteral("Документът ще бъде отпечатан на принтера по подразбиране.");
const QString kPrinted = QStringLiteral("Документът беше отпечатан успешно.");
const QString kNotPrinted = QStringLiteral("Възникна грешка - документът не беше отпечатан!");

const QString kRule1 = QStringLiteral("Раздел І, т. 1 - Попълва се точно едно от полетата за име.");
const QString kRule2 = QStringLiteral("Раздел IV, т. 26 - Полето \"Брой\" е задължително.");
} // namespace

class TestGreshki : public QObject
{
    Q_OBJECT

    RecordingDialogs m_dialogs;
    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<TfmGreshki> m_form;

    TfmGreshki &form() { return *m_form; }
    QString dir() const { return m_tmp->path(); }
    QPushButton *button(const char *name)
    {
        return form().findChild<QPushButton *>(QLatin1String(name));
    }

    QList<QTextBlock> blocks()
    {
        QList<QTextBlock> out;
        for (QTextBlock b = form().edt1()->document()->begin(); b.isValid(); b = b.next())
            out.append(b);
        return out;
    }

private slots:
    void init()
    {
        m_dialogs = RecordingDialogs();
        setDialogs(&m_dialogs);
        m_form = std::make_unique<TfmGreshki>();
        m_tmp = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_form.reset();
        m_tmp.reset();
        setDialogs(nullptr);
    }

    void windowAndButtons()
    {
        QCOMPARE(form().windowTitle(), QStringLiteral("КЕСП+"));
        QCOMPARE(button("btnPrint")->text(), QStringLiteral("Отпечатай..."));
        QCOMPARE(button("btnSave")->text(), QStringLiteral("Запиши във файл..."));
        QCOMPARE(button("btnExit")->text(), QStringLiteral("Изход"));
        QVERIFY(form().edt1()->isReadOnly());
        QCOMPARE(fmGreshki(), m_form.get());
    }

    void showsHeadingThenList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("listLines");
        QTest::newRow("one violation") << " - " + kRule1 << QStringList{" - " + kRule1};
        QTest::newRow("two violations") << " - " + kRule1 + "\n\r\n\r - " + kRule2
                                        << QStringList{" - " + kRule1, "", " - " + kRule2};
    }
    void showsHeadingThenList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, listLines);

        form().fill(text, QStringLiteral("121212120"), QStringLiteral("Мебели ООД"), kVid);

        const QStringList lines =
            QStringList{kHead1,
                        "\"Мебели ООД\"" + QStringLiteral(" с ЕИК / ЕГН ") + "121212120",
                        kHead3,
                        QString()} +
            listLines;
        QCOMPARE(form().edt1()->toPlainText(), lines.join(QLatin1Char('\n')));
        QCOMPARE(
            TfmGreshki::heading(QStringLiteral("121212120"), QStringLiteral("Мебели ООД"), kVid),
            QStringList(lines.mid(0, 3)).join(QStringLiteral("\n\r")));

        const QList<QTextBlock> bs = blocks();
        QCOMPARE(bs.size(), lines.size());
        for (int i = 0; i < bs.size(); ++i) {
            const bool head = i < 3;
            QCOMPARE(bs[i].blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                     head ? Qt::AlignHCenter : Qt::AlignLeft);
            for (auto it = bs[i].begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                QCOMPARE(f.fontWeight() >= QFont::Bold, head);
                QCOMPARE(f.fontPointSize(), head ? 12.0 : 10.0);
            }
        }
        // The caret waits at the start, nothing selected.
        QCOMPARE(form().edt1()->textCursor().position(), 0);
        QVERIFY(!form().edt1()->textCursor().hasSelection());
    }

    void everyShowReplacesTheContent()
    {
        form().fill(" - " + kRule1, QStringLiteral("111"), QStringLiteral("Първо"), kVid);
        form().fill(" - " + kRule2, QStringLiteral("222"), QStringLiteral("Второ"), kVid);
        QVERIFY(!form().edt1()->toPlainText().contains(kRule1));
        QVERIFY(form().edt1()->toPlainText().contains(QStringLiteral("\"Второ\"")));
        QCOMPARE(form().EIKstr(), QStringLiteral("222"));
    }

    void personName_data()
    {
        QTest::addColumn<QString>("legalEntity");
        QTest::addColumn<QString>("naturalPerson");
        QTest::addColumn<QString>("shown");
        QTest::newRow("legal entity") << "Мебели ООД"
                                      << ""
                                      << "Мебели ООД";
        QTest::newRow("natural person") << ""
                                        << "Иван Петров"
                                        << "Иван Петров";
        QTest::newRow("blank legal entity") << "   "
                                            << "Иван Петров"
                                            << "Иван Петров";
    }
    void personName()
    {
        QFETCH(QString, legalEntity);
        QFETCH(QString, naturalPerson);
        QTEST(TfmGreshki::personName(legalEntity, naturalPerson), "shown");
    }

    void savesTheReportAsRtf()
    {
        form().fill(" - " + kRule1 + "\n\r\n\r - " + kRule2,
                    QStringLiteral("121212120"),
                    QStringLiteral("Мебели ООД"),
                    kVid);
        m_dialogs.paths = {dir()};
        button("btnSave")->click();

        const QString path = QDir(dir()).filePath(QStringLiteral("Greshki-121212120.rtf"));
        QCOMPARE(m_dialogs.texts(),
                 QStringList{kSaved + "\n\r\n\r" + QDir::toNativeSeparators(path)});
        QCOMPARE(m_dialogs.shown.at(0).icon, Dialogs::Icon::Information);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const RtfReader rtf(file.readAll());
        const QList<RtfParagraph> ps = rtf.paragraphs();
        QCOMPARE(ps.size(), 7);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ps[i].alignment, RtfAlignment::Center);
            QVERIFY(ps[i].runs.size() == 1 && ps[i].runs[0].bold);
            QCOMPARE(ps[i].runs[0].pointSize, 12.0);
        }
        QCOMPARE(ps[0].text(), kHead1);
        QCOMPARE(ps[2].text(), kHead3);
        QCOMPARE(ps[3].text(), QString());
        QCOMPARE(ps[4].text(), " - " + kRule1);
        QCOMPARE(ps[4].alignment, RtfAlignment::Left);
        QVERIFY(!ps[4].runs[0].bold);
        QCOMPARE(ps[4].runs[0].pointSize, 10.0);
        QCOMPARE(ps[6].text(), " - " + kRule2);
    }

    // Another program reads the saved report: unrtf's HTML output carries every Cyrillic
    // letter as a character reference. (Its plain-text output cuts them to 8 bits in the
    // Debian release, so the HTML is what shows the file's text.)
    void anotherProgramReadsTheSavedReport()
    {
        const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
        QVERIFY2(!unrtf.isEmpty(), "unrtf is installed by the project's scripts");
        form().fill(" - " + kRule1 + "\n\r\n\r - " + kRule2,
                    QStringLiteral("121212120"),
                    QStringLiteral("Мебели ООД"),
                    kVid);
        m_dialogs.paths = {dir()};
        button("btnSave")->click();
        const QString path = QDir(dir()).filePath(QStringLiteral("Greshki-121212120.rtf"));

        QProcess p;
        p.start(unrtf, {QStringLiteral("--html"), path});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QString html = QString::fromUtf8(p.readAllStandardOutput());
        static const QRegularExpression ref(QStringLiteral("&#(\\d+);"));
        for (auto m = ref.match(html); m.hasMatch(); m = ref.match(html))
            html.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toInt()));
        html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        // Markup may split a line; compare the text alone.
        const QString text = QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
        for (const QString &expected : {kHead1, QStringLiteral("Мебели ООД"), kHead3, " - " + kRule1, " - " + kRule2})
            QVERIFY2(text.contains(expected.simplified()), qPrintable(expected));
    }

    void savingAgainOverwrites()
    {
        const QString path = QDir(dir()).filePath(QStringLiteral("Greshki-999.rtf"));
        form().fill(" - " + kRule1, QStringLiteral("999"), QStringLiteral("Първо"), kVid);
        m_dialogs.paths = {dir(), dir()};
        button("btnSave")->click();
        form().fill(" - " + kRule2, QStringLiteral("999"), QStringLiteral("Второ"), kVid);
        button("btnSave")->click();

        QCOMPARE(m_dialogs.shown.size(), 2);
        QCOMPARE(m_dialogs.shown.at(1).icon, Dialogs::Icon::Information);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = RtfReader(file.readAll()).plainText();
        QVERIFY(text.contains(kRule2));
        QVERIFY(!text.contains(kRule1));
        QCOMPARE(QDir(dir()).entryList(QDir::Files), QStringList{"Greshki-999.rtf"});
    }

    void cancellingTheFolderSavesNothing()
    {
        form().fill(" - " + kRule1, QStringLiteral("999"), QStringLiteral("Първо"), kVid);
        m_dialogs.paths = {QString()};
        button("btnSave")->click();
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(QDir(dir()).entryList(QDir::Files).isEmpty());
    }

    void unusableFileNameFails_data()
    {
        QTest::addColumn<QString>("eik");
        QTest::addColumn<bool>("usable");
        QTest::newRow("company number") << "121212120" << true;
        QTest::newRow("letters and blanks") << "БГ 12 ab" << true;
        QTest::newRow("slash") << "1212/12120" << false;
        QTest::newRow("backslash") << "..\\121212120" << false;
        QTest::newRow("colon") << "C:121" << false;
        QTest::newRow("star") << "12*" << false;
        QTest::newRow("question mark") << "12?" << false;
        QTest::newRow("quote") << "\"12\"" << false;
        QTest::newRow("angle brackets") << "<12>" << false;
        QTest::newRow("bar") << "1|2" << false;
        QTest::newRow("line feed") << "12\n" << false;
    }
    void unusableFileNameFails()
    {
        QFETCH(QString, eik);
        QFETCH(bool, usable);

        form().fill(" - " + kRule1, eik, QStringLiteral("Мебели ООД"), kVid);
        m_dialogs.paths = {dir()};
        button("btnSave")->click();

        QCOMPARE(m_dialogs.shown.size(), 1);
        if (usable) {
            QCOMPARE(m_dialogs.shown.at(0).icon, Dialogs::Icon::Information);
            QVERIFY(QFile::exists(TfmGreshki::filePath(dir(), eik)));
        } else {
            QCOMPARE(m_dialogs.shown.at(0).icon, Dialogs::Icon::Error);
            QCOMPARE(m_dialogs.shown.at(0).text, kNotSaved);
            QVERIFY(QDir(dir()).entryList(QDir::Files | QDir::Hidden).isEmpty());
            QVERIFY(QDir(dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        }
    }

    void unwritableFolderFails()
    {
        form().fill(
            " - " + kRule1, QStringLiteral("121212120"), QStringLiteral("Мебели ООД"), kVid);
        m_dialogs.paths = {QDir(dir()).filePath(QStringLiteral("missing"))};
        button("btnSave")->click();
        QCOMPARE(m_dialogs.texts(), QStringList{kNotSaved});
        QCOMPARE(m_dialogs.shown.at(0).icon, Dialogs::Icon::Error);
    }

    void printing_data()
    {
        QTest::addColumn<int>("outcome"); // 0 prints, 1 refuses, 2 throws
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("lastIcon");
        QTest::newRow("printed") << 0 << kPrinted << int(Dialogs::Icon::Information);
        QTest::newRow("printer refuses") << 1 << kNotPrinted << int(Dialogs::Icon::Error);
        QTest::newRow("printer fails") << 2 << kNotPrinted << int(Dialogs::Icon::Error);
    }
    void printing()
    {
        QFETCH(int, outcome);

        form().fill(
            " - " + kRule1, QStringLiteral("121212120"), QStringLiteral("Мебели ООД"), kVid);
        QString printedText;
        QString job;
        form().setPrintStep([&](const QTextDocument &doc, const QString &title) {
            printedText = doc.toPlainText();
            job = title;
            if (outcome == 2)
                throw std::runtime_error("printer gone");
            return outcome == 0;
        });
        button("btnPrint")->click();

        QCOMPARE(m_dialogs.shown.size(), 2);
        QCOMPARE(m_dialogs.shown.at(0).text, kWillPrint);
        QCOMPARE(m_dialogs.shown.at(0).icon, Dialogs::Icon::Information);
        QTEST(m_dialogs.shown.at(1).text, "last");
        QTEST(int(m_dialogs.shown.at(1).icon), "lastIcon");
        QCOMPARE(job, QStringLiteral("Greshki"));
        QCOMPARE(printedText, form().edt1()->toPlainText());
        // The window and its content stay.
        QVERIFY(form().edt1()->toPlainText().endsWith(" - " + kRule1));
    }

    void exitAndEscapeClose_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Изход") << false;
        QTest::newRow("Esc") << true;
    }
    void exitAndEscapeClose()
    {
        QFETCH(bool, escape);
        form().fill(
            " - " + kRule1, QStringLiteral("121212120"), QStringLiteral("Мебели ООД"), kVid);
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        QSignalSpy rejected(&form(), &QDialog::rejected);
        if (escape)
            QTest::keyClick(form().edt1(), Qt::Key_Escape);
        else
            button("btnExit")->click();
        QCOMPARE(rejected.size(), 1);
        QVERIFY(!form().isVisible());
        QVERIFY(m_dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestGreshki)
#include "tst_greshki.moc"
