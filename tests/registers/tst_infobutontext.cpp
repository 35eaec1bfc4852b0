#include "database.h"
#include "dialogs.h"
#include "fminfobutontext.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

using namespace kesp;
using namespace kesp::registers;

class TestInfoButonText : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    RecordingDialogs m_dialogs;
    std::unique_ptr<storage::TdmMain> m_dm;
    std::unique_ptr<TfmInfoButonText> m_form;

    QString shownText() const { return m_form->edtText()->toPlainText(); }

private slots:
    void init()
    {
        setDialogs(&m_dialogs);
        m_dm = std::make_unique<storage::TdmMain>(m_files.delivered());
        m_form = std::make_unique<TfmInfoButonText>();
    }
    void cleanup()
    {
        m_form.reset();
        m_dm.reset();
        setDialogs(nullptr);
    }

    void windowLayout()
    {
        QCOMPARE(fmInfoButonText(), m_form.get());
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Информация"));
        auto *title = m_form->findChild<QLabel *>(QStringLiteral("lblTitle"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("Помощна информация за попълване на данните в секцията"));
        QVERIFY(title->alignment() & Qt::AlignHCenter);
        QVERIFY(m_form->edtText()->isReadOnly());
        QCOMPARE(m_form->edtText()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(m_form->btnOK()->text(), QStringLiteral("OK"));
    }

    void showsTextOfCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("starts");
        QTest::addColumn<QString>("contains");
        QTest::newRow("carried by the program, 7")
            << 7 << "В тази точка се записва основната дейност на предприятието."
            << "Приложение 5 задължително се попълва от минни предприятия.";
        QTest::newRow("section I, 1")
            << 1 << "В Раздел I се вписват данните за работодателя"
            << "Упътване за попълване на Раздел I в системата:";
        QTest::newRow("manager dialog, 4")
            << 4 << "Попълват се данните на едно управляващо или представляващо лице."
            << "„Управляващ и представляващ“";
        QTest::newRow("activity dialogs, 38")
            << 38 << "Икономическата дейност се избира от Класификатора"
            << "с 4-цифрен код, например 41.20";
        QTest::newRow("item 10, outside the code page") << 10 << "Вписва се броят на наетите лица"
                                                        << "в полетата ѝ се оставя 0";
    }
    void showsTextOfCode()
    {
        QFETCH(int, code);
        QFETCH(QString, starts);
        QFETCH(QString, contains);
        m_form->load(code);
        QVERIFY2(shownText().startsWith(starts), qPrintable(shownText().left(200)));
        QVERIFY(shownText().contains(contains));
    }

    void everyCodeOfTheseButtonsHasText_data()
    {
        QTest::addColumn<int>("code");
        for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 37, 38, 39})
            QTest::addRow("%d", code) << code;
    }
    void everyCodeOfTheseButtonsHasText()
    {
        QFETCH(int, code);
        m_form->load(code);
        const QString text = shownText();
        QVERIFY(text.size() > 80);
        // Decoded from code page 1251, not shown as escapes or replacement marks.
        QVERIFY(!text.contains(QLatin1String("\\'")));
        QVERIFY(!text.contains(QChar(0xFFFD)));
        QVERIFY(text.contains(QStringLiteral("се")));
    }

    void underlinedGuidanceLine()
    {
        m_form->load(1);
        const QTextDocument *doc = m_form->edtText()->document();
        bool found = false;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (!b.text().startsWith(QStringLiteral("Упътване за попълване")))
                continue;
            found = true;
            QVERIFY(QTextCursor(b).charFormat().fontUnderline()
                    || b.begin().fragment().charFormat().fontUnderline());
        }
        QVERIFY(found);
    }

    void missingRowOrEmptyTextShowsEmptyBox_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("no row") << 999;
        QTest::newRow("row without text") << 12;
    }
    void missingRowOrEmptyTextShowsEmptyBox()
    {
        QFETCH(int, code);
        m_form->load(7);
        QVERIFY(!shownText().isEmpty());
        QTimer::singleShot(0, m_form.get(), [this] {
            QVERIFY(m_form->isVisible());
            QTest::keyClick(m_form.get(), Qt::Key_Escape);
        });
        m_form->OpenInfoButon(code);
        QVERIFY(shownText().isEmpty());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void secondCodeReplacesFirst()
    {
        m_form->load(43);
        const QString first = shownText();
        m_form->load(44);
        QVERIFY(shownText().startsWith(QStringLiteral("Приложение № 5 се попълва от минни предприятия.")));
        QVERIFY(!shownText().contains(first.left(40)));
    }

    void okIsFocusedAndCloses()
    {
        bool focused = false;
        QTimer::singleShot(0, m_form.get(), [&] {
            focused = m_form->focusWidget() == m_form->btnOK();
            QTest::mouseClick(m_form->btnOK(), Qt::LeftButton);
        });
        m_form->OpenInfoButon(7);
        QVERIFY(focused);
        QVERIFY(!m_form->isVisible());
    }
};

QTEST_MAIN(TestInfoButonText)
#include "tst_infobutontext.moc"
