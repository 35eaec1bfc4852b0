#include "appmain.h"

#include "database.h"
#include "dialogs.h"
#include "documenteditor.h"
#include "documentregister.h"
#include "errors.h"
#include "fmdeklaracii.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QAction>
#include <QKeyEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace kesp;
using app::DocumentRegister;

namespace {

// Stands in for an editor: records what the register asks of it.
class FakeEditor : public app::DocumentEditor
{
public:
    QStringList calls;
    int addResult = -1;
    bool editResult = false;
    bool deleteThrows = false;
    std::function<void()> onAdd;

    void setPlaces(int a, int b, int c, int d) override
    {
        calls << QStringLiteral("places %1 %2 %3 %4").arg(a).arg(b).arg(c).arg(d);
    }
    int AddItem() override
    {
        calls << QStringLiteral("add");
        if (onAdd)
            onAdd();
        return addResult;
    }
    bool EditItem(int code) override
    {
        calls << QStringLiteral("edit %1").arg(code);
        return editResult;
    }
    void DeleteItem(int code) override
    {
        calls << QStringLiteral("delete %1").arg(code);
        if (deleteThrows)
            throw kesp::Error(QStringLiteral("FOREIGN KEY constraint failed"));
    }
};

// Types text as key presses; QTest::keyClicks knows only ASCII.
void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

} // namespace

class TestRegister : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<storage::TdmMain> m_dm;
    std::unique_ptr<app::TfmDeklaracii> m_window;
    RecordingDialogs m_boxes;
    FakeEditor m_editor;
    int m_selectAnswer = 1;

    DocumentRegister &reg() { return m_window->documentRegister(); }
    QSqlDatabase db() { return m_dm->database(); }

    void addDocument(int code, int type, int year, const QString &name, const QString &eik,
                     const QString &saved, QVariant oblast = {}, QVariant grad = {})
    {
        storage::exec(db(),
                      QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, DOCUMENT_TYPE, GODINA, "
                                     "I_NAIMENOVANIE_UL, I_EIK, DEKLARACIA_DATA, I_OBLAST_CODE, I_GRAD_CODE) "
                                     "values (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {code, type, year, name, eik, saved, oblast, grad});
    }

    QStringList shownNames()
    {
        QStringList out;
        for (int r = 0; r < reg().gridData().rowCount(); ++r)
            out << reg().gridData().value(r, QStringLiteral("_LICE")).toString();
        return out;
    }

    void show()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

private slots:
    void init()
    {
        setDialogs(&m_boxes);
        m_boxes.clear();
        m_dm = std::make_unique<storage::TdmMain>(m_files.delivered());
        m_window = std::make_unique<app::TfmDeklaracii>();
        m_editor = FakeEditor();
        m_window->setDeclarationEditor(&m_editor, [this] { return m_selectAnswer; });
    }
    void cleanup()
    {
        m_window.reset();
        m_dm.reset();
        setDialogs(nullptr);
    }

    void emptyDatabaseDisablesTheRowCommands()
    {
        show();
        QCOMPARE(reg().gridData().rowCount(), 0);
        for (QPushButton *b : {m_window->btnEdit, m_window->btnDelete, m_window->btnPrint, m_window->btnGeneraetXML})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(!m_window->miRabotenVariant->isEnabled());
        QVERIFY(m_window->btnAdd->isEnabled());
        QCOMPARE(QApplication::focusWidget(), reg().cbDocumentType);

        // A double click in the empty data area starts a new document.
        QTest::mouseDClick(reg().grid()->viewport(), Qt::LeftButton, {}, QPoint(100, 40));
        QCOMPARE(m_editor.calls, QStringList({QStringLiteral("places -1 -1 -1 -1"), QStringLiteral("add")}));
    }

    void listShowsEveryDocumentNewestFirst()
    {
        addDocument(1, 1, 2010, QStringLiteral("Алфа ООД"), QStringLiteral("123456789"), QStringLiteral("2010-03-01 10:00:00"), 22, 68134);
        addDocument(2, 2, 2010, QStringLiteral("Бета АД"), QStringLiteral("987654321"), QStringLiteral("2010-05-01 09:00:00"));
        storage::exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, DOCUMENT_TYPE, GODINA, I_NAIMENOVANIE_UL, I_IMENA_FL, DEKLARACIA_DATA) values (3, 1, 2009, '', 'Иван Петров', '2010-04-01 08:00:00')"));
        show();
        QCOMPARE(shownNames(), QStringList({QStringLiteral("Бета АД"), QStringLiteral("Иван Петров"), QStringLiteral("Алфа ООД")}));
        const QAbstractItemModel *m = reg().grid()->model();
        QCOMPARE(m->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Последна редакция"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("Уведомление"));
        QCOMPARE(m->index(2, 1).data().toString(), QStringLiteral("Декларация"));
        QCOMPARE(m->index(2, 4).data().toString(), QStringLiteral("София-град"));
        QCOMPARE(m->index(2, 5).data().toString(), QStringLiteral("София"));
        QCOMPARE(m->index(2, 6).data().toString(), QStringLiteral("01.03.2010 г."));
        QVERIFY(m_window->btnEdit->isEnabled());

        // The working-copy caption follows the selected row's kind.
        QCOMPARE(m_window->miRabotenVariant->text(), QStringLiteral("Отпечатване на работен вариант на избраното уведомление..."));
        reg().grid()->selectRow(1);
        QCOMPARE(m_window->miRabotenVariant->text(), QStringLiteral("Отпечатване на работен вариант на избраната декларация..."));
    }

    void filterCriteria_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("yearIndex");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("eik");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("example: type 1, 2010, 1234") << 1 << 2 << "" << "1234" << QStringList{"София Инвест"};
        QTest::newRow("name ignores case") << 0 << 0 << "софия" << "" << QStringList{"София Инвест", "софия транс"};
        QTest::newRow("apostrophe") << 0 << 0 << "o'Нийл" << "" << QStringList{"Бар o'Нийл"};
        QTest::newRow("percent typed") << 0 << 0 << "%" << "" << QStringList{};
        QTest::newRow("identifier is a prefix") << 0 << 0 << "" << "56" << QStringList{"Бар o'Нийл"};
        QTest::newRow("notifications only") << 2 << 0 << "" << "" << QStringList{"Друго ЕООД"};
        QTest::newRow("2009") << 0 << 1 << "" << "" << QStringList{"софия транс"};
    }
    void filterCriteria()
    {
        QFETCH(int, type);
        QFETCH(int, yearIndex);
        QFETCH(QString, name);
        QFETCH(QString, eik);
        QFETCH(QStringList, expected);
        addDocument(1, 1, 2010, QStringLiteral("София Инвест"), QStringLiteral("123456789"), QStringLiteral("2010-01-04 10:00:00"));
        addDocument(2, 1, 2009, QStringLiteral("софия транс"), QStringLiteral("123499999"), QStringLiteral("2010-01-03 10:00:00"));
        addDocument(3, 2, 2010, QStringLiteral("Друго ЕООД"), QStringLiteral("123400000"), QStringLiteral("2010-01-02 10:00:00"));
        addDocument(4, 1, 2010, QStringLiteral("Бар o'Нийл"), QStringLiteral("561234000"), QStringLiteral("2010-01-01 10:00:00"));
        show();
        reg().cbDocumentType->setCurrentIndex(type);
        reg().cbGodina->setCurrentIndex(yearIndex);
        typeText(reg().edtIme, name);
        typeText(reg().edtEIK, eik);
        QTest::mouseClick(reg().btnMyApplyFilter, Qt::LeftButton);
        QCOMPARE(shownNames(), expected);
        QCOMPARE(m_window->btnEdit->isEnabled(), !expected.isEmpty());
    }

    void oneDayBoundsShowExactlyThatDay()
    {
        addDocument(1, 1, 2010, QStringLiteral("Преди"), QStringLiteral("1"), QStringLiteral("2010-06-14 23:59:59"));
        addDocument(2, 1, 2010, QStringLiteral("Сутрин"), QStringLiteral("2"), QStringLiteral("2010-06-15 00:00:00"));
        addDocument(3, 1, 2010, QStringLiteral("Вечер"), QStringLiteral("3"), QStringLiteral("2010-06-15 23:59:59"));
        addDocument(4, 1, 2010, QStringLiteral("След"), QStringLiteral("4"), QStringLiteral("2010-06-16 00:00:00"));
        show();
        reg().edtDataOt->setDate(QDate(2010, 6, 15));
        reg().edtDataDo->setDate(QDate(2010, 6, 15));
        QTest::mouseClick(reg().btnMyApplyFilter, Qt::LeftButton);
        QCOMPARE(shownNames(), QStringList({QStringLiteral("Вечер"), QStringLiteral("Сутрин")}));
    }

    void clearingKeepsTheOldFilterButDropsTheDates()
    {
        addDocument(1, 1, 2010, QStringLiteral("Алфа"), QStringLiteral("111"), QStringLiteral("2010-06-15 10:00:00"));
        addDocument(2, 1, 2010, QStringLiteral("Бета"), QStringLiteral("222"), QStringLiteral("2010-06-20 10:00:00"));
        addDocument(3, 1, 2010, QStringLiteral("Алфа 2"), QStringLiteral("333"), QStringLiteral("2010-07-20 10:00:00"));
        show();
        typeText(reg().edtIme, QStringLiteral("алфа"));
        reg().edtDataDo->setDate(QDate(2010, 6, 30));
        QTest::mouseClick(reg().btnMyApplyFilter, Qt::LeftButton);
        QCOMPARE(shownNames(), QStringList({QStringLiteral("Алфа")}));

        QTest::mouseClick(reg().btnMyClear, Qt::LeftButton);
        QVERIFY(reg().edtIme->text().isEmpty());
        QCOMPARE(reg().edtDataDo->date(), DocumentRegister::emptyDate());
        // Not re-read: the same rows.
        QCOMPARE(shownNames(), QStringList({QStringLiteral("Алфа")}));
        // The next opening (after an edit, say) has no date bound but the old name filter.
        reg().openGridData();
        QCOMPARE(shownNames(), QStringList({QStringLiteral("Алфа 2"), QStringLiteral("Алфа")}));
        QTest::mouseClick(reg().btnMyApplyFilter, Qt::LeftButton);
        QCOMPARE(shownNames().size(), 3);
    }

    void anotherProvinceClearsTheSettlement()
    {
        show();
        QComboBox *oblast = reg().lcbOblast;
        QComboBox *grad = reg().lcbGrad;
        QCOMPARE(oblast->itemText(0), QString());
        QCOMPARE(oblast->itemText(1), QStringLiteral("Благоевград"));
        QCOMPARE(grad->count(), 0);

        oblast->setCurrentIndex(oblast->findData(2)); // Бургас
        QVERIFY(grad->findText(QStringLiteral("Бургас")) > 0);
        QCOMPARE(grad->findText(QStringLiteral("Ямбол")), -1);
        grad->setCurrentIndex(grad->findText(QStringLiteral("Бургас")));
        oblast->setCurrentIndex(oblast->findData(28)); // Ямбол
        QCOMPARE(grad->currentIndex(), -1);
        QVERIFY(grad->findText(QStringLiteral("Ямбол")) > 0);
        QCOMPARE(grad->findText(QStringLiteral("Бургас")), -1);
        const int places = int(storage::scalar(db(), QStringLiteral("select count(*) from GRADOVE where OBLAST_CODE = 28")).toInt());
        QCOMPARE(grad->count(), places + 1);
    }

    void titleClicksSortAscendingDescendingAscending()
    {
        addDocument(1, 1, 2010, QStringLiteral("Бета"), QStringLiteral("1"), QStringLiteral("2010-01-01 10:00:00"));
        addDocument(2, 1, 2010, QStringLiteral("алфа"), QStringLiteral("2"), QStringLiteral("2010-01-02 10:00:00"));
        addDocument(3, 1, 2010, QStringLiteral("Гама"), QStringLiteral("3"), QStringLiteral("2010-01-03 10:00:00"));
        show();
        const QStringList byDate{QStringLiteral("Гама"), QStringLiteral("алфа"), QStringLiteral("Бета")};
        const QStringList asc{QStringLiteral("алфа"), QStringLiteral("Бета"), QStringLiteral("Гама")};
        const QStringList desc{QStringLiteral("Гама"), QStringLiteral("Бета"), QStringLiteral("алфа")};
        QCOMPARE(shownNames(), byDate);
        QHeaderView *header = reg().grid()->horizontalHeader();
        const int nameColumn = 2;
        auto click = [&](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        click(nameColumn);
        QCOMPARE(shownNames(), asc);
        click(nameColumn);
        QCOMPARE(shownNames(), desc);
        click(nameColumn);
        QCOMPARE(shownNames(), asc);
        click(3); // another column: ascending by identifier
        QCOMPARE(shownNames(), QStringList({QStringLiteral("Бета"), QStringLiteral("алфа"), QStringLiteral("Гама")}));
        reg().openGridData();
        QCOMPARE(shownNames(), byDate);
    }

    void createAndItsCancellation()
    {
        addDocument(1, 1, 2010, QStringLiteral("Първа"), QStringLiteral("1"), QStringLiteral("2010-01-01 10:00:00"));
        addDocument(2, 1, 2010, QStringLiteral("Втора"), QStringLiteral("2"), QStringLiteral("2010-01-02 10:00:00"));
        show();
        reg().grid()->selectRow(1);

        // The dialog cancelled: nothing at all.
        m_selectAnswer = 0;
        QTest::mouseClick(m_window->btnAdd, Qt::LeftButton);
        QVERIFY(m_editor.calls.isEmpty());

        // The new document abandoned: back on the row selected before.
        m_selectAnswer = 1;
        QTest::mouseClick(m_window->btnAdd, Qt::LeftButton);
        QCOMPARE(reg().currentValue(QStringLiteral("DEKLARACIA_CODE")).toInt(), 1);

        // A new document: the list is read again and the new row selected.
        m_editor.addResult = 3;
        m_editor.onAdd = [this] { addDocument(3, 1, 2010, QStringLiteral("Нова"), QStringLiteral("3"), QStringLiteral("2009-01-01 10:00:00")); };
        QTest::mouseClick(m_window->btnAdd, Qt::LeftButton);
        QCOMPARE(reg().gridData().rowCount(), 3);
        QCOMPARE(reg().currentValue(QStringLiteral("DEKLARACIA_CODE")).toInt(), 3);
    }

    void openingAnOlderDeclarationWarnsFirst_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("warned");
        QTest::newRow("declaration of 2009") << 1 << 2009 << true;
        QTest::newRow("declaration of 2010") << 1 << 2010 << false;
        QTest::newRow("notification of 2009") << 2 << 2009 << false;
    }
    void openingAnOlderDeclarationWarnsFirst()
    {
        QFETCH(int, type);
        QFETCH(int, year);
        QFETCH(bool, warned);
        addDocument(7, type, year, QStringLiteral("Стара"), QStringLiteral("1"), QStringLiteral("2010-01-01 10:00:00"), 2);
        storage::exec(db(), QStringLiteral("update DEKLARACIA set II_OBLAST_CODE = 3, I_OBSHTINA_CODE = 204"));
        show();
        QTest::mouseClick(m_window->btnEdit, Qt::LeftButton);
        QCOMPARE(m_boxes.shown.size(), warned ? 1 : 0);
        if (warned)
            QVERIFY(m_boxes.shown.first().text.startsWith(
                QStringLiteral("Отваряте за преглед и редактиране декларация за 2009-та година!\n\r\n\rМоля да имате предвид")));
        if (type == 1)
            QCOMPARE(m_editor.calls, QStringList({QStringLiteral("places 2 3 204 0"), QStringLiteral("edit 7")}));
        else
            QCOMPARE(m_editor.calls, QStringList()); // notifications have no editor yet
    }

    void deletingRereadsAndSelectsTheFirstRow()
    {
        addDocument(1, 1, 2010, QStringLiteral("Първа"), QStringLiteral("1"), QStringLiteral("2010-01-01 10:00:00"));
        addDocument(2, 1, 2010, QStringLiteral("Втора"), QStringLiteral("2"), QStringLiteral("2010-01-02 10:00:00"));
        show();
        reg().grid()->selectRow(1);
        QTest::mouseClick(m_window->btnDelete, Qt::LeftButton);
        QCOMPARE(m_editor.calls, QStringList({QStringLiteral("delete 1")}));
        QCOMPARE(reg().currentValue(QStringLiteral("DEKLARACIA_CODE")).toInt(), 2);

        m_editor.deleteThrows = true;
        reg().grid()->selectRow(1);
        QTest::mouseClick(m_window->btnDelete, Qt::LeftButton);
        QCOMPARE(m_boxes.texts(), QStringList({QStringLiteral("Невъзможно изтриване на декларацията поради наличие на свързани с нея елементи!")}));
        QCOMPARE(reg().currentRow(), 0);
    }
};

KESP_APP_TEST_MAIN(TestRegister)
#include "tst_register.moc"
