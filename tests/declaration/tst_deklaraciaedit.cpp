#include "bindings.h"
#include "database.h"
#include "dialogs.h"
#include "fmdeklaraciaedit.h"
#include "listmodel.h"
#include "pagebuilder.h"
#include "rowsource.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"
#include "testdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace kesp;
using namespace kesp::declaration;
using namespace kesp::storage;

namespace {

const QString kConfirmCancel = QStringLiteral(
    "Излизането с \"Отказ\" ще доведе до загуба на последните промени\n\rв текущия "
    "Раздел/Приложение!\n\r\n\rСигурни ли сте, че желаете да излезете от прозореца?");
const QString kAutoSave = QStringLiteral("Автоматично записване на данните...");
const QString kDumpTitle = QStringLiteral(
    "Стойности на различните параметри в едит куерито на \"Редактиране на декларация\"");
const QString kText21 =
    QStringLiteral("Раздел IV, т. 26 - Полето \"Брой\" е задължително при отговор \"ДА\".");
const QString kText23 =
    QStringLiteral("Раздел IV, т. 27 - Полето \"Брой\" е задължително при отговор \"ДА\".");

const QColor kPink(255, 230, 242);
const QColor kRed(255, 0, 0);

const QStringList kAllTables = {
    QStringLiteral("DEKLARACIA"),
    QStringLiteral("DEKLARACIA2"),
    QStringLiteral("I_UPRAVLIAVASHTI"),
    QStringLiteral("II_KID"),
    QStringLiteral("II_PODRAZDELENIEA"),
    QStringLiteral("IV_POCHIVKI"),
    QStringLiteral("P2_4_CAS"),
    QStringLiteral("P2_11_CAS"),
};

// The ten controls of the test page's appendix panel, cleared together.
const QStringList kPanelColumns = {
    QStringLiteral("P3_OCENKA_RISK"),
    QStringLiteral("P3_PRAVILA"),
    QStringLiteral("P3_OBUCHENIE"),
    QStringLiteral("P3_RAZRESHENIA"),
    QStringLiteral("P3_RAZRESHENIA_BROI"),
    QStringLiteral("P3_KOMP_LICA"),
    QStringLiteral("P3_KOMP_LICA_BROI"),
    QStringLiteral("P3_ZONA0_20"),
    QStringLiteral("P3_KONTROL_RAB_SR_TEXT"),
    QStringLiteral("P3_DRUGI_TEXT"),
};

} // namespace

class TestDeklaraciaEdit : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    int m_fileNo = 0;
    RecordingDialogs m_dialogs;
    std::unique_ptr<TdmMain> m_dm;
    std::unique_ptr<rules::TdmValidacii> m_engine;
    std::unique_ptr<TfmDeklaraciaEdit> m_form;
    QList<int> m_editedKeys;

    TfmDeklaraciaEdit &form() { return *m_form; }
    QSqlDatabase db() const { return m_dm->database(); }
    template<typename T = QWidget> T *w(const char *name)
    {
        T *found = m_form->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }

    int count(const QString &table, int code)
    {
        return scalar(
                   db(),
                   QStringLiteral("select count(*) from %1 where DEKLARACIA_CODE = ?").arg(table),
                   {code})
            .toInt();
    }
    QVariant stored(const QString &table, const QString &column, int code)
    {
        return scalar(
            db(),
            QStringLiteral("select %1 from %2 where DEKLARACIA_CODE = ?").arg(column, table),
            {code});
    }
    // A declaration written as an earlier session would have left it.
    void
    insertDeclaration(int code, const QVariantMap &values1 = {}, const QVariantMap &values2 = {})
    {
        QVariantMap v1 = values1, v2 = values2;
        v1.insert(QStringLiteral("DEKLARACIA_CODE"), code);
        v1.insert(QStringLiteral("DOCUMENT_TYPE"), 1);
        v2.insert(QStringLiteral("DEKLARACIA_CODE"), code);
        insertRow(db(), QStringLiteral("DEKLARACIA"), v1);
        insertRow(db(), QStringLiteral("DEKLARACIA2"), v2);
    }
    void insertDetailRows(int code)
    {
        for (const QString &t : {QStringLiteral("I_UPRAVLIAVASHTI"),
                                 QStringLiteral("II_KID"),
                                 QStringLiteral("II_PODRAZDELENIEA"),
                                 QStringLiteral("IV_POCHIVKI"),
                                 QStringLiteral("P2_4_CAS"),
                                 QStringLiteral("P2_11_CAS")})
            insertRow(db(), t, {{QStringLiteral("DEKLARACIA_CODE"), code}});
    }

    // AddItem and EditItem show the window modally: the script runs once it is up and
    // active; a window the script left open is closed after it.
    void whenShown(std::function<void()> script)
    {
        QTimer::singleShot(0, this, [this, script] { poll(script, 0); });
    }
    void poll(const std::function<void()> &script, int attempt)
    {
        if (!m_form->isVisible()) {
            if (attempt < 400)
                QTimer::singleShot(5, this, [this, script, attempt] { poll(script, attempt + 1); });
            return;
        }
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        script();
        if (m_form->isVisible())
            m_form->hide();
    }

    void focusOn(QWidget *widget)
    {
        widget->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), widget);
    }
    // Key presses carrying any character, Cyrillic too.
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar ch : text) {
            const Qt::Key key =
                ch.isDigit() ? Qt::Key(Qt::Key_0 + ch.digitValue()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
        }
    }
    // Types into a control and leaves it with Tab, as a person fills a field.
    void fill(QWidget *widget, const QString &text)
    {
        focusOn(widget);
        if (auto *e = qobject_cast<QLineEdit *>(widget))
            e->selectAll();
        type(widget, text);
        QTest::keyClick(widget, Qt::Key_Tab);
    }
    // Empties an edit with the keyboard and leaves it.
    void erase(QLineEdit *edit)
    {
        focusOn(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    static QColor colourOf(const QTextBlock &block)
    {
        return block.begin().fragment().charFormat().foreground().color();
    }

    void buildTestPages()
    {
        TfmDeklaraciaEdit &f = form();
        // Page 0 is the form's own "Раздел І": every control used below is there.
        {
            PageBuilder b(f, 3);
            b.beginItem(QStringLiteral("grpIV26"), QStringLiteral("26. Лични предпазни средства"));
            b.yesNo(QStringLiteral("rdpnlIV_2_LPS"), QStringLiteral("IV_2_LPS"), 19);
            b.beginRow();
            b.count(QStringLiteral("edtIV_2_LPS_BROI"),
                    QStringLiteral("IV_2_LPS_BROI"),
                    20,
                    QStringLiteral("Брой"));
            b.count(QStringLiteral("edtIV_2_POVECHE_OT_1_LPS"),
                    QStringLiteral("IV_2_POVECHE_OT_1_LPS"),
                    21,
                    QStringLiteral("Повече от едно"));
            b.endRow();
            b.memo(QStringLiteral("memIV_3"),
                   QStringLiteral("IV_3_TEHN_SREDSTVA"),
                   33,
                   QStringLiteral("Технически средства"),
                   4);
            b.end();
            // Enough height for the page to scroll.
            auto *filler = new QWidget;
            filler->setObjectName(QStringLiteral("filler"));
            filler->setMinimumHeight(2000);
            b.add(filler);
        }
        {
            PageBuilder b(f, 6);
            QCheckBox *sw = b.check(QStringLiteral("chkPrilojenie3"),
                                    QStringLiteral("P3_PRIL_E_POPULNENO"),
                                    257,
                                    QStringLiteral("Попълва се приложение №3"));
            QWidget *panel = b.beginPanel(QStringLiteral("pnlP3"));
            b.yesNo(QStringLiteral("rgP3_1"), kPanelColumns[0], 256);
            b.yesNo(QStringLiteral("rgP3_2"), kPanelColumns[1], 258);
            b.yesNo(QStringLiteral("rgP3_3"), kPanelColumns[2], 259);
            b.beginRow();
            b.yesNo(QStringLiteral("rgP3_4"), kPanelColumns[3], 254);
            b.count(QStringLiteral("edtP3_4"), kPanelColumns[4], 255, QStringLiteral("Брой"));
            b.endRow();
            b.beginRow();
            b.yesNo(QStringLiteral("rgP3_5"), kPanelColumns[5], 263);
            b.count(QStringLiteral("edtP3_5"), kPanelColumns[6], 131, QStringLiteral("Брой"));
            b.endRow();
            b.check(
                QStringLiteral("chkP3_Zona0"), kPanelColumns[7], 265, QStringLiteral("Зона 0/20"));
            b.edit(QStringLiteral("edtP3_Kontrol"), kPanelColumns[8], 0, QStringLiteral("Контрол"));
            b.memo(QStringLiteral("memP3_Drugi"), kPanelColumns[9], 269, QStringLiteral("Други"));
            b.end();
            auto *binding = static_cast<CheckBinding *>(f.bindings().byControl(sw));
            binding->onClick([this, panel](bool checked) {
                form().EnableGroup(panel, checked, form().qryDataEdit2());
            });
            f.onRowsLoaded(f.qryDataEdit2(), [this, panel] {
                const QVariant v =
                    form().qryDataEdit2()->value(QStringLiteral("P3_PRIL_E_POPULNENO"));
                form().EnableGroup(panel, !v.isNull() && v.toBool(), form().qryDataEdit2());
            });
        }
    }

    void linkRule(int rule, int field)
    {
        exec(db(),
             QStringLiteral("insert into POLETA_PRAVILA (PRAVILO_CODE, POLE_CODE) select ?, ? "
                            "where not exists (select 1 from POLETA_PRAVILA where PRAVILO_CODE "
                            "= ? and POLE_CODE = ?)"),
             {rule, field, rule, field});
    }

private slots:
    void initTestCase()
    {
        // Fusion honours palettes, which the marking relies on.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    void init()
    {
        m_dialogs = RecordingDialogs();
        setDialogs(&m_dialogs);
        m_dm = std::make_unique<TdmMain>(
            m_files.delivered(QStringLiteral("KESP%1.ddb").arg(++m_fileNo)));
        // The links and texts of rules 21 and 23 as the examples below use them.
        linkRule(21, 19);
        linkRule(21, 20);
        linkRule(23, 19);
        linkRule(23, 21);
        exec(db(),
             QStringLiteral("update PRAVILA set INFO_TEXT = ? where PRAVILO_CODE = 21"),
             {kText21});
        exec(db(),
             QStringLiteral("update PRAVILA set INFO_TEXT = ? where PRAVILO_CODE = 23"),
             {kText23});
        m_engine = std::make_unique<rules::TdmValidacii>(db());
        m_engine->UpdatePravila();
        m_engine->UpdatePoletaPravila();
        m_form = std::make_unique<TfmDeklaraciaEdit>();
        buildTestPages();
        m_editedKeys.clear();
    }

    void cleanup()
    {
        m_form.reset();
        m_engine.reset();
        m_dm.reset();
        setDialogs(nullptr);
    }

    void frame()
    {
        TfmDeklaraciaEdit &f = form();
        QCOMPARE(f.windowTitle(), QStringLiteral("Декларация по чл. 15 от ЗКЕСП"));
        QCOMPARE(f.size(), QSize(920, 698));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QCOMPARE(fmDeklaraciaEdit(), &f);

        const QStringList captions = {QStringLiteral("Раздел І"),
                                      QStringLiteral("Раздел ІІ"),
                                      QStringLiteral("Раздел ІІІ"),
                                      QStringLiteral("Раздел ІV"),
                                      QStringLiteral("Приложение №1"),
                                      QStringLiteral("Приложение №2"),
                                      QStringLiteral("Приложение №3"),
                                      QStringLiteral("Приложение №4"),
                                      QStringLiteral("Приложение №5")};
        const QStringList areas = {
            "sbI", "sbII", "sbIII", "sbIV", "sbP1", "sbP2", "sbP3", "sbP4", "sbP5"};
        auto *pages = w<QTabWidget>("pcRazdeli");
        QVERIFY(pages);
        QCOMPARE(pages->count(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pages->tabText(i), captions[i]);
            QCOMPARE(f.pageArea(i)->objectName(), areas[i]);
            QVERIFY(pages->widget(i)->isAncestorOf(f.pageArea(i)));
        }

        QVERIFY(f.findChild<QLabel *>(QStringLiteral("lblValidacii"))->text() ==
                QStringLiteral("Правила за\nкоректност\n(към текущо\nизбраното поле):"));
        QVERIFY(f.reValidacii()->isReadOnly());
        QVERIFY(f.reValidacii()->isEnabled());
        QCOMPARE(f.reValidacii()->palette().color(QPalette::Base), QColor(255, 255, 210));

        QCOMPARE(f.btnValidate()->text(), QStringLiteral("Проверка за коректност..."));
        QCOMPARE(f.btnValidate()->toolTip(),
                 QStringLiteral("Проверка на попълнените в декларацията данни - по правилата за "
                                "коректност."));
        QCOMPARE(f.btnSave()->text(), QStringLiteral("Запис"));
        QCOMPARE(f.btnSave()->toolTip(),
                 QStringLiteral("Записване на данните в декларацията без затваряне на текущия "
                                "прозорец."));
        QVERIFY(f.btnSave()->isDefault());
        QCOMPARE(f.btnOK()->text(), QStringLiteral("OK"));
        QCOMPARE(f.btnOK()->toolTip(),
                 QStringLiteral("Записване на данните в декларацията и затваряне на текущия "
                                "прозорец."));
        QCOMPARE(f.btnCancel()->text(), QStringLiteral("Отказ"));
        QCOMPARE(f.btnCancel()->toolTip(),
                 QStringLiteral("Затваряне на текущия прозорец без записване на последните "
                                "промени по декларацията."));
        QVERIFY(f.imgSaveStat()->isHidden());
        QVERIFY(f.JvLabel1()->isHidden());
        QCOMPARE(f.Timer3()->interval(), 100);

        // Every bound control carries its field code; the catalogue limits text lengths.
        QCOMPARE(w<QLineEdit>("edtI_EIK")->property("fieldCode").toInt(), 3);
        QCOMPARE(w<QLineEdit>("edtI_EIK")->maxLength(), 13);
        QCOMPARE(w<QGroupBox>("rdpnlIV_2_LPS")->property("fieldCode").toInt(), 19);
        QCOMPARE(w<QTableView>("grdUpravliavashti")->property("fieldCode").toInt(), 166);
    }

    void countedColumns()
    {
        const QSet<QString> &c = TfmDeklaraciaEdit::countedColumns();
        // Both rows' columns but the code, the document type, the foreigner flag and the
        // two notification columns.
        QCOMPARE(c.size(), 430);
        for (const char *excluded : {"DEKLARACIA_CODE",
                                     "DOCUMENT_TYPE",
                                     "IS_CHUJDENEC",
                                     "UVED_PREDSTAVLIAVASHT",
                                     "UVED_IZH_NOMER"})
            QVERIFY(!c.contains(QLatin1String(excluded)));
        QVERIFY(c.contains(QStringLiteral("GODINA")));
        QVERIFY(c.contains(QStringLiteral("P5_PRIL_E_POPULNENO")));
    }

    void newDeclarationSavedThenCancelled_data()
    {
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty table") << QList<int>{} << 1;
        QTest::newRow("after others") << QList<int>{3, 7} << 8;
    }
    void newDeclarationSavedThenCancelled()
    {
        QFETCH(QList<int>, existing);
        QFETCH(int, expected);
        for (int c : existing)
            insertDeclaration(c);

        whenShown([&] {
            QCOMPARE(form().qryDataEdit()->value(QStringLiteral("DEKLARACIA_CODE")).toInt(),
                     expected);
            QCOMPARE(w<QLineEdit>("edtGodina")->text(), QStringLiteral("2010"));
            fill(w("edtIImeUL"), QStringLiteral("\"Нова\" ООД"));
            QTest::mouseClick(form().btnSave(), Qt::LeftButton);
            QVERIFY(form().isVisible());
            // Nothing changed since "Запис": Отказ closes without a question.
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
            QVERIFY(!form().isVisible());
        });
        int code = 0;
        form().AddItem(code);

        QCOMPARE(code, expected);
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(count(QStringLiteral("DEKLARACIA"), expected), 1);
        QCOMPARE(count(QStringLiteral("DEKLARACIA2"), expected), 1);
        QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), expected)
                     .toString(),
                 QStringLiteral("\"Нова\" ООД"));
        QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("GODINA"), expected).toInt(),
                 2010);
        QVERIFY(!stored(QStringLiteral("DEKLARACIA"), QStringLiteral("DEKLARACIA_DATA"), expected)
                     .isNull());
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA2"), QStringLiteral("P3_PRIL_E_POPULNENO"), expected)
                .toInt(),
            0);
        QVERIFY(!form().qryDataEdit()->isOpen());
        QVERIFY(!form().qryDataEdit2()->isOpen());
    }

    void abandonedNewDeclarationLeavesNothing()
    {
        insertDeclaration(1);
        int code = 0;
        whenShown([&] {
            QCOMPARE(form().qryDataEdit()->value(QStringLiteral("DEKLARACIA_CODE")).toInt(), 2);
            // Rows the list dialogs wrote at once, and a typed value.
            insertDetailRows(2);
            fill(w("edtIImeUL"), QStringLiteral("Временно"));
            m_dialogs.answers = {Dialogs::Yes};
            QTest::keyClick(w("edtIImenaFL"), Qt::Key_Escape);
            QVERIFY(!form().isVisible());
        });
        form().AddItem(code);

        QCOMPARE(code, -1);
        QCOMPARE(m_dialogs.texts(), QStringList{kConfirmCancel});
        for (const QString &t : kAllTables)
            QCOMPARE(count(t, 2), 0);
        QCOMPARE(count(QStringLiteral("DEKLARACIA"), 1), 1);
    }

    void cancelAsksOnlyAfterChanges_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("openAfterFirst");
        QTest::newRow("no change: no question") << false << QList<int>{} << QStringList{} << false;
        QTest::newRow("change, No keeps the window")
            << true << QList<int>{Dialogs::No} << QStringList{kConfirmCancel} << true;
        QTest::newRow("change, Yes closes")
            << true << QList<int>{Dialogs::Yes} << QStringList{kConfirmCancel} << false;
    }
    void cancelAsksOnlyAfterChanges()
    {
        QFETCH(bool, change);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, asked);
        QFETCH(bool, openAfterFirst);
        insertDeclaration(4, {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Старо")}});

        bool stayed = false;
        whenShown([&] {
            if (change) {
                // Typed but not yet left: closing still takes it as a change.
                focusOn(w("edtIImeUL"));
                w<QLineEdit>("edtIImeUL")->end(false);
                type(w("edtIImeUL"), QStringLiteral(" ново"));
            }
            for (int a : answers)
                m_dialogs.answers.append(Dialogs::Button(a));
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
            stayed = form().isVisible();
            if (stayed) {
                QCOMPARE(w<QLineEdit>("edtIImeUL")->text(), QStringLiteral("Старо ново"));
                m_dialogs.answers = {Dialogs::Yes};
                QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
                QVERIFY(!form().isVisible());
            }
        });
        QVERIFY(!form().EditItem(4));

        QCOMPARE(stayed, openAfterFirst);
        QCOMPARE(m_dialogs.texts().mid(0, asked.size()), asked);
        if (asked.isEmpty())
            QVERIFY(m_dialogs.shown.isEmpty());
        // Cancelled changes never reach the file.
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 4).toString(),
            QStringLiteral("Старо"));
    }

    void enterSavesEscapeCancels()
    {
        insertDeclaration(5);
        whenShown([&] {
            focusOn(w("edtIImeUL"));
            type(w("edtIImeUL"), QStringLiteral("ЕТ Бор"));
            QTest::keyClick(w("edtIImeUL"), Qt::Key_Return);
            QVERIFY(form().isVisible());
            QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 5)
                         .toString(),
                     QStringLiteral("ЕТ Бор"));
            QTest::keyClick(w("edtIImeUL"), Qt::Key_Escape);
            QVERIFY(!form().isVisible());
        });
        QVERIFY(!form().EditItem(5));
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 5).toString(),
            QStringLiteral("ЕТ Бор"));
    }

    void okWithFailingSaveKeepsWindowAndInput()
    {
        insertDeclaration(6);
        const QString tooLong = QStringLiteral("12345678901234567");
        bool stayedOpen = false;
        whenShown([&] {
            fill(w("edtIImeUL"), QStringLiteral("Запазено"));
            // Written past the edit, as a cascade could: longer than the column allows.
            form().qryDataEdit()->setValue(QStringLiteral("I_EIK"), tooLong);
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
            stayedOpen = form().isVisible();
            QCOMPARE(form().qryDataEdit()->value(QStringLiteral("I_EIK")).toString(), tooLong);
            QCOMPARE(w<QLineEdit>("edtIImeUL")->text(), QStringLiteral("Запазено"));
            QVERIFY(form().qryDataEdit()->isModified());

            fill(w("edtI_EIK"), QStringLiteral("831234567"));
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
            QVERIFY(!form().isVisible());
        });
        QVERIFY(form().EditItem(6));

        QVERIFY(stayedOpen);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Error);
        QVERIFY(m_dialogs.shown.first().text.contains(QStringLiteral("твърде дълъг")));
        QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_EIK"), 6).toString(),
                 QStringLiteral("831234567"));
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 6).toString(),
            QStringLiteral("Запазено"));
    }

    void failedSaveWritesNeitherRow()
    {
        insertDeclaration(7, {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Старо")}});
        // The second row's write fails after the first row's went through.
        exec(db(),
             QStringLiteral("create trigger refuse2 before update on DEKLARACIA2 begin "
                            "select raise(abort, 'refused'); end"));
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            fill(w("edtIImeUL"), QStringLiteral("Ново"));
            f.pcRazdeli()->setCurrentIndex(6);
            QTest::mouseClick(w("chkPrilojenie3"), Qt::LeftButton);
            QTest::mouseClick(f.btnSave(), Qt::LeftButton);
            QVERIFY(f.isVisible());
            QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 7)
                         .toString(),
                     QStringLiteral("Старо"));
            // Both rows still hold the input, ready for the next save.
            QVERIFY(f.rowsEditing());
            QCOMPARE(f.qryDataEdit()->value(QStringLiteral("I_NAIMENOVANIE_UL")).toString(),
                     QStringLiteral("Ново"));
            QVERIFY(f.qryDataEdit()->isModified());
            QVERIFY(f.qryDataEdit2()->isModified());

            exec(db(), QStringLiteral("drop trigger refuse2"));
            QTest::mouseClick(f.btnSave(), Qt::LeftButton);
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        QVERIFY(!form().EditItem(7));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Error);
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 7).toString(),
            QStringLiteral("Ново"));
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA2"), QStringLiteral("P3_PRIL_E_POPULNENO"), 7).toInt(),
            1);
    }

    void fiftyFirstChangeSavesAndStaysPending()
    {
        insertDeclaration(8);
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            auto *check = w<QCheckBox>("ChkISamostoiatelnoNaemane");
            for (int i = 0; i < 49; ++i)
                QTest::mouseClick(check, Qt::LeftButton);
            QCOMPARE(f.changedFieldsCount, 49);
            // A field without a cascade: the employer's name would also name the enterprise.
            fill(w("edtILKIme"), QStringLiteral("Петдесет"));
            QCOMPARE(f.changedFieldsCount, 50);
            QVERIFY(!f.Timer1()->isActive());
            QVERIFY(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_LK_IMENA"), 8)
                        .isNull());

            fill(w("edtI_EIK"), QStringLiteral("51"));
            // Saved: the fifty changes before the action that made the 51st.
            QCOMPARE(f.changedFieldsCount, 0);
            QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_SAMOSTO_NAEMAT_RAB"), 8)
                         .toInt(),
                     1);
            QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_LK_IMENA"), 8)
                         .toString(),
                     QStringLiteral("Петдесет"));
            QVERIFY(!stored(QStringLiteral("DEKLARACIA"), QStringLiteral("DEKLARACIA_DATA"), 8)
                         .isNull());
            // The 51st value is pending in the row, for the next save.
            QVERIFY(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_EIK"), 8).isNull());
            QCOMPARE(f.qryDataEdit()->value(QStringLiteral("I_EIK")).toString(),
                     QStringLiteral("51"));
            QVERIFY(f.qryDataEdit()->isModified());
            QVERIFY(f.rowsEditing());

            // The indicator: Timer1 every 500 ms, Timer2 after 4 s, Timer3 every 100 ms.
            QVERIFY(f.Timer1()->isActive());
            QCOMPARE(f.Timer1()->interval(), 500);
            QCOMPARE(f.Timer2()->interval(), 4000);
            QVERIFY(f.imgSaveStat()->isHidden());
            f.Timer1Timer();
            QVERIFY(!f.JvLabel1()->isHidden());
            QCOMPARE(f.JvLabel1()->text(), kAutoSave);
            QCOMPARE(f.JvLabel1()->palette().color(QPalette::WindowText), kRed);
            QVERIFY(!f.imgSaveStat()->isHidden());
            QVERIFY(f.Timer2()->isActive());
            QVERIFY(f.Timer3()->isActive());
            f.Timer1Timer();
            QVERIFY(f.imgSaveStat()->isHidden()); // it blinks
            f.Timer1Timer();
            QVERIFY(!f.imgSaveStat()->isHidden());
            // Red for 1.1 s, then fading to black and gone at 3 s.
            for (int i = 0; i < 11; ++i)
                f.Timer3Timer();
            QCOMPARE(f.JvLabel1()->palette().color(QPalette::WindowText), kRed);
            f.Timer3Timer();
            QCOMPARE(f.JvLabel1()->palette().color(QPalette::WindowText), QColor(234, 0, 0));
            for (int i = 12; i < 29; ++i)
                f.Timer3Timer();
            QVERIFY(!f.JvLabel1()->isHidden());
            f.Timer3Timer();
            QCOMPARE(f.viTimer, 30);
            QCOMPARE(f.JvLabel1()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
            QVERIFY(f.JvLabel1()->isHidden());
            QVERIFY(!f.Timer3()->isActive());
            f.Timer2Timer();
            QVERIFY(f.imgSaveStat()->isHidden());
            QVERIFY(!f.Timer1()->isActive());
            QVERIFY(!f.Timer2()->isActive());

            // The pending value makes Отказ ask; it is lost, the automatic save stays.
            m_dialogs.answers = {Dialogs::Yes};
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        QVERIFY(!form().EditItem(8));
        QCOMPARE(m_dialogs.texts(), QStringList{kConfirmCancel});
        QVERIFY(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_EIK"), 8).isNull());
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_LK_IMENA"), 8).toString(),
            QStringLiteral("Петдесет"));
    }

    void cascadeCountsEachClearedField()
    {
        QVariantMap p3{{QStringLiteral("P3_PRIL_E_POPULNENO"), true},
                       {kPanelColumns[0], 1},
                       {kPanelColumns[1], 2},
                       {kPanelColumns[2], 1},
                       {kPanelColumns[3], 1},
                       {kPanelColumns[4], 5},
                       {kPanelColumns[5], 1},
                       {kPanelColumns[6], 3},
                       {kPanelColumns[7], true},
                       {kPanelColumns[8], QStringLiteral("ежемесечно")},
                       {kPanelColumns[9], QStringLiteral("друго")}};
        insertDeclaration(9, {}, p3);
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            f.pcRazdeli()->setCurrentIndex(6);
            QVERIFY(w("pnlP3")->isEnabled());
            QCOMPARE(w<QLineEdit>("edtP3_4")->text(), QStringLiteral("5"));
            const int before = f.changedFieldsCount;
            QTest::mouseClick(w("chkPrilojenie3"), Qt::LeftButton);
            // Ten cleared columns and the switch itself.
            QCOMPARE(f.changedFieldsCount, before + 11);
            QVERIFY(!w("pnlP3")->isEnabled());
            QVERIFY(!w("edtP3_4")->isEnabled());
            QVERIFY(!w<QRadioButton>("rgP3_1_1")->isChecked());
            for (const QString &c : kPanelColumns) {
                const QVariant v = f.qryDataEdit2()->value(c);
                QVERIFY2(v.isNull() || v == QVariant(false), qPrintable(c));
            }
            QVERIFY(w<QLineEdit>("edtP3_4")->text().isEmpty());
            QVERIFY(w<QPlainTextEdit>("memP3_Drugi")->toPlainText().isEmpty());

            // Switching on clears nothing.
            QTest::mouseClick(w("chkPrilojenie3"), Qt::LeftButton);
            QCOMPARE(f.changedFieldsCount, before + 12);
            QVERIFY(w("edtP3_4")->isEnabled());
            m_dialogs.answers = {Dialogs::Yes};
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        form().EditItem(9);
        // Opening derives the enabled states but never clears: the file is untouched.
        QCOMPARE(stored(QStringLiteral("DEKLARACIA2"), kPanelColumns[4], 9).toInt(), 5);
    }

    void autoSaveNeverSavesHalfACascade()
    {
        insertDeclaration(26,
                          {},
                          {{QStringLiteral("P3_PRIL_E_POPULNENO"), true},
                           {kPanelColumns[0], 1},
                           {kPanelColumns[4], 5},
                           {kPanelColumns[9], QStringLiteral("друго")}});
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            fill(w("edtIImeUL"), QStringLiteral("Преди"));
            f.pcRazdeli()->setCurrentIndex(6);
            // The 51st change falls inside the cascade of the switch.
            f.changedFieldsCount = 45;
            QTest::mouseClick(w("chkPrilojenie3"), Qt::LeftButton);
            QVERIFY(f.Timer1()->isActive());
            // Saved as it stood before the click: the earlier edit, none of the cascade.
            QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_NAIMENOVANIE_UL"), 26)
                         .toString(),
                     QStringLiteral("Преди"));
            QCOMPARE(
                stored(QStringLiteral("DEKLARACIA2"), QStringLiteral("P3_PRIL_E_POPULNENO"), 26)
                    .toInt(),
                1);
            QCOMPARE(stored(QStringLiteral("DEKLARACIA2"), kPanelColumns[4], 26).toInt(), 5);
            QCOMPARE(stored(QStringLiteral("DEKLARACIA2"), kPanelColumns[9], 26).toString(),
                     QStringLiteral("друго"));
            QVERIFY(f.qryDataEdit2()->value(kPanelColumns[4]).isNull());
            // "Запис" then takes the whole cascade.
            QTest::mouseClick(f.btnSave(), Qt::LeftButton);
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        form().EditItem(26);
        QCOMPARE(stored(QStringLiteral("DEKLARACIA2"), QStringLiteral("P3_PRIL_E_POPULNENO"), 26)
                     .toInt(),
                 0);
        QVERIFY(stored(QStringLiteral("DEKLARACIA2"), kPanelColumns[4], 26).isNull());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void openingDisablesWithoutClearing()
    {
        insertDeclaration(10, {}, {{kPanelColumns[4], 7}});
        form().OpenDeklaracia(10);
        QVERIFY(!w("pnlP3")->isEnabled());
        QCOMPARE(w<QLineEdit>("edtP3_4")->text(), QStringLiteral("7"));
        QCOMPARE(form().qryDataEdit2()->value(kPanelColumns[4]).toInt(), 7);
        QVERIFY(!form().qryDataEdit2()->isModified());
        form().CloseDeklaracia();
        QVERIFY(!form().qryDataEdit()->isOpen());
    }

    void editItemReadsTheRequestedCode()
    {
        insertDeclaration(11, {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Първа")}});
        insertDeclaration(12, {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Втора")}});
        form().OpenDeklaracia(11);
        QCOMPARE(w<QLineEdit>("edtIImeUL")->text(), QStringLiteral("Първа"));
        QString shown;
        whenShown([&] {
            shown = w<QLineEdit>("edtIImeUL")->text();
            QCOMPARE(form().qryDataEdit2()->value(QStringLiteral("DEKLARACIA_CODE")).toInt(), 12);
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(12);
        QCOMPARE(shown, QStringLiteral("Втора"));
    }

    void deleteItemAsks_data()
    {
        QTest::addColumn<QString>("fl");
        QTest::addColumn<QString>("ul");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("deleted");
        const QString q = QStringLiteral(
            "Сигурни ли сте, че желаете да изтриете декларацията на \"%1\" с ЕИК 831234567?");
        QTest::newRow("No deletes nothing")
            << QStringLiteral("Иван Петров") << QStringLiteral("Бор ООД") << int(Dialogs::No)
            << q.arg(QStringLiteral("Иван Петров")) << false;
        QTest::newRow("Yes removes every row")
            << QStringLiteral("Иван Петров") << QString() << int(Dialogs::Yes)
            << q.arg(QStringLiteral("Иван Петров")) << true;
        QTest::newRow("blank person: the entity's name")
            << QStringLiteral("   ") << QStringLiteral("Бор ООД") << int(Dialogs::Yes)
            << q.arg(QStringLiteral("Бор ООД")) << true;
    }
    void deleteItemAsks()
    {
        QFETCH(QString, fl);
        QFETCH(QString, ul);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(bool, deleted);
        insertDeclaration(13,
                          {{QStringLiteral("I_IMENA_FL"), fl},
                           {QStringLiteral("I_NAIMENOVANIE_UL"), ul.isEmpty() ? QVariant() : ul},
                           {QStringLiteral("I_EIK"), QStringLiteral("831234567")}});
        insertDetailRows(13);
        insertDeclaration(14);
        insertDetailRows(14);

        m_dialogs.answers = {Dialogs::Button(answer)};
        form().DeleteItem(13);

        QCOMPARE(m_dialogs.texts(), QStringList{question});
        QCOMPARE(m_dialogs.shown.first().buttons, int(Dialogs::Yes | Dialogs::No));
        for (const QString &t : kAllTables) {
            QCOMPARE(count(t, 13), deleted ? 0 : 1);
            QCOMPARE(count(t, 14), 1);
        }
        QVERIFY(!form().qryDataEdit()->isOpen());
    }

    void markedFieldTurnsNormalWhenSatisfied()
    {
        insertDeclaration(15, {{QStringLiteral("IV_2_LPS"), 1}});
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            f.pcRazdeli()->setCurrentIndex(3);
            auto *group = w<QGroupBox>("rdpnlIV_2_LPS");
            auto *broi = w<QLineEdit>("edtIV_2_LPS_BROI");
            auto *poveche = w<QLineEdit>("edtIV_2_POVECHE_OT_1_LPS");
            const QColor normalBase = w<QLineEdit>("edtIVhod")->palette().color(QPalette::Base);
            QVERIFY(w<QRadioButton>("rdpnlIV_2_LPS_1")->isChecked());
            QCOMPARE(broi->palette().color(QPalette::Base), kPink);
            QCOMPARE(poveche->palette().color(QPalette::Base), kPink);
            QCOMPARE(group->palette().color(QPalette::Window), kPink);
            QVERIFY(group->autoFillBackground());

            // Rule 21 is satisfied; rule 23 still marks the group.
            fill(broi, QStringLiteral("4"));
            QCOMPARE(broi->palette().color(QPalette::Base), normalBase);
            QCOMPARE(group->palette().color(QPalette::Window), kPink);
            fill(poveche, QStringLiteral("2"));
            QCOMPARE(poveche->palette().color(QPalette::Base), normalBase);
            QVERIFY(group->palette().color(QPalette::Window) != kPink);
            QVERIFY(!group->autoFillBackground());

            // Answering "НЕ" leaves both counts free again.
            QTest::mouseClick(w("rdpnlIV_2_LPS_2"), Qt::LeftButton);
            erase(broi);
            QCOMPARE(f.qryDataEdit()->value(QStringLiteral("IV_2_LPS")).toInt(), 2);
            QTest::mouseClick(f.btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(15));
        QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("IV_2_LPS"), 15).toInt(), 2);
        QVERIFY(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("IV_2_LPS_BROI"), 15).isNull());
    }

    void enteringFieldListsItsRules()
    {
        insertDeclaration(16, {{QStringLiteral("IV_2_LPS"), 1}});
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            f.pcRazdeli()->setCurrentIndex(3);
            auto *group = w<QGroupBox>("rdpnlIV_2_LPS");
            focusOn(w("edtIV_2_LPS_BROI"));
            QTextDocument *doc = f.reValidacii()->document();
            QCOMPARE(doc->blockCount(), 1);
            QCOMPARE(doc->firstBlock().text(), kText21);
            QCOMPARE(colourOf(doc->firstBlock()), kRed);
            // Entering a field does not change its marks.
            QCOMPARE(group->palette().color(QPalette::Window), kPink);

            type(w("edtIV_2_LPS_BROI"), QStringLiteral("3"));
            focusOn(w<QRadioButton>("rdpnlIV_2_LPS_1"));
            // The group's rules: the violated one first, in red, then the satisfied one.
            QCOMPARE(doc->blockCount(), 2);
            QCOMPARE(doc->firstBlock().text(), kText23);
            QCOMPARE(colourOf(doc->firstBlock()), kRed);
            QCOMPARE(doc->lastBlock().text(), kText21);
            QCOMPARE(colourOf(doc->lastBlock()), f.palette().color(QPalette::WindowText));

            // A field without a code empties the list; an info button leaves it alone.
            f.pcRazdeli()->setCurrentIndex(0);
            focusOn(w("edtIVhod"));
            QVERIFY(f.reValidacii()->toPlainText().isEmpty());
            QCOMPARE(w<QToolButton>("btnInfo3")->focusPolicy(), Qt::NoFocus);
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        form().EditItem(16);
    }

    void countEditTakesDigitsOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letters, signs, separators")
            << QStringLiteral("1a-2.3,4 ") << QStringLiteral("1234");
        QTest::newRow("largest count")
            << QStringLiteral("2147483647") << QStringLiteral("2147483647");
        QTest::newRow("beyond 32 bits")
            << QStringLiteral("2147483648") << QStringLiteral("214748364");
    }
    void countEditTakesDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        insertDeclaration(17);
        whenShown([&] {
            form().pcRazdeli()->setCurrentIndex(3);
            auto *edit = w<QLineEdit>("edtIV_2_LPS_BROI");
            fill(edit, typed);
            QCOMPARE(edit->text(), shown);
            QCOMPARE(form().qryDataEdit()->value(QStringLiteral("IV_2_LPS_BROI")).toLongLong(),
                     shown.toLongLong());
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(17));
        QCOMPARE(
            stored(QStringLiteral("DEKLARACIA"), QStringLiteral("IV_2_LPS_BROI"), 17).toLongLong(),
            shown.toLongLong());
    }

    void lookupChoosesByTyping()
    {
        insertDeclaration(18);
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            auto *combo = w<QComboBox>("cbIOblast");
            QCOMPARE(combo->currentIndex(), -1);
            focusOn(combo);
            const int before = f.changedFieldsCount;
            // Typed lower-case Cyrillic letters find "Бургас" (after "Благоевград").
            type(combo, QStringLiteral("бу"));
            QCOMPARE(combo->currentText(), QStringLiteral("Бургас"));
            QCOMPARE(f.qryDataEdit()->value(QStringLiteral("I_OBLAST_CODE")).toInt(), 2);
            // Two choices ("Б…", then "Бу…"), each the key and the shown name.
            QCOMPARE(f.changedFieldsCount, before + 4);
            QTest::mouseClick(f.btnSave(), Qt::LeftButton);
            QTest::keyClick(combo, Qt::Key_Delete);
            QCOMPARE(combo->currentIndex(), -1);
            QVERIFY(f.qryDataEdit()->value(QStringLiteral("I_OBLAST_CODE")).isNull());
            m_dialogs.answers = {Dialogs::Yes};
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        QVERIFY(!form().EditItem(18));
        QCOMPARE(stored(QStringLiteral("DEKLARACIA"), QStringLiteral("I_OBLAST_CODE"), 18).toInt(),
                 2);
    }

    void listButtonsCallTheRowDialog()
    {
        insertDeclaration(19);
        form().setRowDialog(
            QStringLiteral("qryUpravliavashti"),
            RowDialogCalls{[this](int code) {
                               return insertRow(
                                   db(),
                                   QStringLiteral("I_UPRAVLIAVASHTI"),
                                   {{QStringLiteral("DEKLARACIA_CODE"), code},
                                    {QStringLiteral("IMENA"), QStringLiteral("Мария")}});
                           },
                           [this](int key) {
                               m_editedKeys.append(key);
                               return true;
                           },
                           [this](int key) {
                               exec(db(),
                                    QStringLiteral("delete from I_UPRAVLIAVASHTI where "
                                                   "I_UPRAVLIAVASHT_CODE = ?"),
                                    {key});
                               return true;
                           }});
        int added = 0;
        whenShown([&] {
            auto *grid = w<QTableView>("grdUpravliavashti");
            auto *edit = w<QPushButton>("btnEditUpravliavasht");
            auto *del = w<QPushButton>("btnDeleteUpravliavasht");
            QVERIFY(w("btnAddUpravliavasht")->isEnabled());
            QVERIFY(!edit->isEnabled());
            QVERIFY(!del->isEnabled());
            QTest::mouseClick(w("btnAddUpravliavasht"), Qt::LeftButton);
            QCOMPARE(grid->model()->rowCount(), 1);
            QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("Мария"));
            QVERIFY(edit->isEnabled());
            QVERIFY(del->isEnabled());
            added = scalar(db(),
                           QStringLiteral("select max(I_UPRAVLIAVASHT_CODE) from I_UPRAVLIAVASHTI"))
                        .toInt();
            // A double click on a list with rows edits the current row.
            const QRect cell = grid->visualRect(grid->model()->index(0, 0));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::mouseClick(del, Qt::LeftButton);
            QCOMPARE(grid->model()->rowCount(), 0);
            QVERIFY(!edit->isEnabled());
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(19);
        QCOMPARE(m_editedKeys, (QList<int>{added, added}));
        QCOMPARE(count(QStringLiteral("I_UPRAVLIAVASHTI"), 19), 0);
    }

    void checkCommand_data()
    {
        QTest::addColumn<QString>("ul");
        QTest::addColumn<QString>("fl");
        QTest::addColumn<QString>("lice");
        QTest::newRow("legal entity first")
            << QStringLiteral("Бор ООД") << QStringLiteral("Иван") << QStringLiteral("Бор ООД");
        QTest::newRow("blank entity: the person")
            << QStringLiteral("  ") << QStringLiteral("Иван") << QStringLiteral("Иван");
    }
    void checkCommand()
    {
        QFETCH(QString, ul);
        QFETCH(QString, fl);
        QFETCH(QString, lice);
        insertDeclaration(20,
                          {{QStringLiteral("I_NAIMENOVANIE_UL"), ul},
                           {QStringLiteral("I_IMENA_FL"), fl},
                           {QStringLiteral("I_EIK"), QStringLiteral("831234567")},
                           {QStringLiteral("IV_2_LPS"), 1}});
        QStringList call;
        form().violationsHook = [&](const QString &greshki,
                                    const QString &eik,
                                    const QString &person,
                                    const QString &vid) {
            call = {greshki, eik, person, vid};
        };
        whenShown([&] {
            QTest::mouseClick(form().btnValidate(), Qt::LeftButton);
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(20);
        QCOMPARE(call.size(), 4);
        QVERIFY(call[0].contains(QStringLiteral(" - ") + kText21));
        QVERIFY(call[0].contains(QStringLiteral(" - ") + kText23));
        QCOMPARE(call[1], QStringLiteral("831234567"));
        QCOMPARE(call[2], lice);
        QCOMPARE(call[3], QStringLiteral("попълнената декларация"));
    }

    void diagnosticDumpOnCancel()
    {
        insertDeclaration(21, {{QStringLiteral("I_EIK"), QStringLiteral("831234567")}});
        whenShown([&] {
            QTest::keyClick(form().btnCancel(),
                            Qt::Key_D,
                            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
            QVERIFY(form().isVisible());
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(21);
        QVERIFY(!m_dialogs.shown.isEmpty());
        const QString first = m_dialogs.shown.first().text;
        QVERIFY(first.startsWith(kDumpTitle));
        QVERIFY(first.contains(QStringLiteral("DEKLARACIA_CODE = 21")));
    }

    void wheelScrollsThePage_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("moved");
        QTest::newRow("up one notch") << QStringLiteral("edtIV_2_LPS_BROI") << 120 << -60;
        QTest::newRow("down one notch") << QStringLiteral("edtIV_2_LPS_BROI") << -120 << 60;
        QTest::newRow("truncated toward zero") << QStringLiteral("edtIV_2_LPS_BROI") << -25 << 12;
        QTest::newRow("memo scrolls itself") << QStringLiteral("memIV_3") << -120 << 0;
    }
    void wheelScrollsThePage()
    {
        QFETCH(QString, focused);
        QFETCH(int, delta);
        QFETCH(int, moved);
        insertDeclaration(22);
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            f.pcRazdeli()->setCurrentIndex(3);
            QWidget *target = f.findChild<QWidget *>(focused);
            focusOn(target);
            QScrollBar *bar = f.pageArea(3)->verticalScrollBar();
            QVERIFY(bar->maximum() > 300);
            bar->setValue(200);
            QWidget *under = w("filler");
            const QPointF pos = under->rect().center();
            QWheelEvent wheel(pos,
                              under->mapToGlobal(pos),
                              QPoint(),
                              QPoint(0, delta),
                              Qt::NoButton,
                              Qt::NoModifier,
                              Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(under, &wheel);
            QCOMPARE(bar->value(), 200 + moved);
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        form().EditItem(22);
    }

    void showingAPageScrollsToTopAndFocuses()
    {
        insertDeclaration(23);
        whenShown([&] {
            TfmDeklaraciaEdit &f = form();
            // The window opens on page 0 with its first enabled name edit focused.
            QCOMPARE(f.pcRazdeli()->currentIndex(), 0);
            QCOMPARE(QApplication::focusWidget(), w("edtIImeUL"));
            f.pcRazdeli()->setCurrentIndex(3);
            f.pageArea(3)->verticalScrollBar()->setValue(400);
            f.pcRazdeli()->setCurrentIndex(6);
            f.pcRazdeli()->setCurrentIndex(3);
            QCOMPARE(f.pageArea(3)->verticalScrollBar()->value(), 0);
            f.setPageFocusControl(3, QStringLiteral("edtIV_2_LPS_BROI"));
            f.pcRazdeli()->setCurrentIndex(6);
            QCOMPARE(QApplication::focusWidget(), w("chkPrilojenie3"));
            f.pcRazdeli()->setCurrentIndex(3);
            QCOMPARE(QApplication::focusWidget(), w("edtIV_2_LPS_BROI"));
            QTest::mouseClick(f.btnCancel(), Qt::LeftButton);
        });
        form().EditItem(23);
    }

    void infoButtons()
    {
        QList<int> opened;
        form().infoHook = [&](int code) { opened.append(code); };
        QTest::mouseClick(w("btnInfo37"), Qt::LeftButton);
        QCOMPARE(opened, QList<int>{37});
        QObject notAButton;
        QVERIFY_THROWS_EXCEPTION(kesp::Error, form().ShowInfoButtonText(&notAButton));
        try {
            form().ShowInfoButtonText(&notAButton);
        } catch (const kesp::Error &e) {
            QCOMPARE(e.message(),
                     QStringLiteral(
                         "Възникна вътрешна грешка! Неправилно извикване на функцията SIBT!"));
        }
    }
};

QTEST_MAIN(TestDeklaraciaEdit)
#include "tst_deklaraciaedit.moc"
