#include "errors.h"
#include "fmcas11edit.h"
#include "fmcas4edit.h"
#include "fmkidedit.h"
#include "fmpochivkiedit.h"
#include "fmpodrazdelenia.h"
#include "fmupravlavashtedit.h"
#include "rowdialogdriver.h"
#include "rowsource.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace kesp;
using namespace kesp::declaration;
using namespace kesp::test;

namespace {

enum Kind { Managers, Activities, Subdivisions, RestBreaks, Agents4, Agents11 };

// What one dialog needs to be driven through the calls they share.
struct DialogCase
{
    QString table;
    std::function<std::unique_ptr<DetailRowDialog>()> make;
    std::function<DetailRowDialog *()> accessor;
    QString addCaption;
    QString editCaption;
    QString startControl; // where the focus starts
    // Types every field; fields named in skip are left as they are.
    std::function<void(DetailRowDialog &, const QStringList &skip)> fill;
    QVariantMap filled;
    // A complete row put in directly, and one change made through the dialog.
    QVariantMap stored;
    std::function<void(DetailRowDialog &)> change;
    QString changedColumn;
    QVariant changedValue;
};

const QString kAdd = QStringLiteral("Добавяне");
const QString kEdit = QStringLiteral("Редактиране");

DialogCase dialogCase(Kind kind)
{
    DialogCase c;
    switch (kind) {
    case Managers:
        c.startControl = "edtImena";
        c.table = QStringLiteral("I_UPRAVLIAVASHTI");
        c.make = [] { return std::make_unique<TfmUpravlavashtEdit>(); };
        c.accessor = [] { return fmUpravlavashtEdit(); };
        c.addCaption = kAdd;
        c.editCaption = kEdit;
        c.fill = [](DetailRowDialog &d, const QStringList &skip) {
            if (!skip.contains("edtImena"))
                typeInto(d, "edtImena", QStringLiteral("Мария Петрова Иванова"));
            if (!skip.contains("edtDlajnost"))
                typeInto(d, "edtDlajnost", QStringLiteral("Управител"));
            if (!skip.contains("edtTelefon"))
                typeInto(d, "edtTelefon", QStringLiteral("032 123 456"));
            typeInto(d, "edtEmail", QStringLiteral("m.ivanova@example.bg"));
            if (!skip.contains("rgTipDlajnost"))
                clickBox(d.findChild<QRadioButton *>("rbUpravliavashtIPredstavliavasht"));
            clickBox(d.findChild<QCheckBox *>("chkIsPodavasht"));
        };
        c.filled = {{"IMENA", "Мария Петрова Иванова"},
                    {"DLAJNOST", "Управител"},
                    {"TELEFON", "032 123 456"},
                    {"EMAIL", "m.ivanova@example.bg"},
                    {"TIP_DLAJNOST", 3},
                    {"IS_PODAVASHT", true}};
        c.stored = {{"IMENA", "Георги Стоянов"},
                    {"DLAJNOST", "Изпълнителен директор"},
                    {"TELEFON", "02 987 654"},
                    {"TIP_DLAJNOST", 2},
                    {"IS_PODAVASHT", false}};
        c.change = [](DetailRowDialog &d) { typeInto(d, "edtDlajnost", QStringLiteral("Прокурист")); };
        c.changedColumn = "DLAJNOST";
        c.changedValue = QStringLiteral("Прокурист");
        break;
    case Activities:
        c.startControl = "lcbKod";
        c.table = QStringLiteral("II_KID");
        c.make = [] { return std::make_unique<TfmKidEdit>(); };
        c.accessor = [] { return fmKidEdit(); };
        c.addCaption = kAdd;
        c.editCaption = kEdit;
        c.fill = [](DetailRowDialog &d, const QStringList &skip) {
            if (!skip.contains("lcbNaimenovanie"))
                QVERIFY(pick(combo(d, "lcbNaimenovanie"),
                             QStringLiteral("компютърно прог"),
                             QStringLiteral("Компютърно програмиране")));
        };
        c.filled = {{"KID_CODE", 719}, {"KID_KOD", "62.01"}, {"KID_TEKST", "Компютърно програмиране"}};
        c.stored = {{"KID_CODE", 720},
                    {"KID_KOD", "62.02"},
                    {"KID_TEKST", "Консултантска дейност по информационни технологии"}};
        c.change = [](DetailRowDialog &d) {
            QVERIFY(pick(combo(d, "lcbKod"), QStringLiteral("62.09"), QStringLiteral("62.09")));
        };
        c.changedColumn = "KID_KOD";
        c.changedValue = QStringLiteral("62.09");
        break;
    case Subdivisions:
        c.startControl = "edtNaimenovanie";
        c.table = QStringLiteral("II_PODRAZDELENIEA");
        c.make = [] { return std::make_unique<TfmPodrazdelenia>(); };
        c.accessor = [] { return fmPodrazdelenia(); };
        c.addCaption = QStringLiteral("Добавяне на поделение");
        c.editCaption = QStringLiteral("Редактиране на поделение");
        c.fill = [](DetailRowDialog &d, const QStringList &skip) {
            if (!skip.contains("edtNaimenovanie"))
                typeInto(d, "edtNaimenovanie", QStringLiteral("Цех Асеновград"));
            if (!skip.contains("edtBroiNaetiLica"))
                typeInto(d, "edtBroiNaetiLica", QStringLiteral("37"));
            if (!skip.contains("lcbOblast"))
                QVERIFY(pick(combo(d, "lcbOblast"), QStringLiteral("пловд"), QStringLiteral("Пловдив")));
            if (!skip.contains("edtAdres"))
                typeInto(d, "edtAdres", QStringLiteral("ул. \"Иван Вазов\" 5"));
            if (!skip.contains("lcbKidKod"))
                QVERIFY(pick(combo(d, "lcbKidKod"), QStringLiteral("62.01"), QStringLiteral("62.01")));
            if (!skip.contains("edtRakovoditel"))
                typeInto(d, "edtRakovoditel", QStringLiteral("Петър Колев, 0331 22 33"));
        };
        c.filled = {{"NAIMENOVANIE", "Цех Асеновград"},
                    {"BROI_NAETI_LICA", 37},
                    {"OBLAST_CODE", 16},
                    {"ADRES", "ул. \"Иван Вазов\" 5"},
                    {"KID_CODE", 719},
                    {"DEINOST_KID", "62.01"},
                    {"RAKOVODITEL", "Петър Колев, 0331 22 33"},
                    {"NOMER", QVariant()}};
        c.stored = {{"NAIMENOVANIE", "Склад"},
                    {"BROI_NAETI_LICA", 4},
                    {"OBLAST_CODE", 3},
                    {"ADRES", "бул. Приморски 1"},
                    {"KID_CODE", 719},
                    {"DEINOST_KID", "62.01"},
                    {"RAKOVODITEL", "Н. Николов"}};
        c.change = [](DetailRowDialog &d) { typeInto(d, "edtAdres", QStringLiteral("бул. Приморски 3")); };
        c.changedColumn = "ADRES";
        c.changedValue = QStringLiteral("бул. Приморски 3");
        break;
    case RestBreaks:
        c.startControl = "edtProcent";
        c.table = QStringLiteral("IV_POCHIVKI");
        c.make = [] { return std::make_unique<TfmPochivkiEdit>(); };
        c.accessor = [] { return fmPochivkiEdit(); };
        c.addCaption = kAdd;
        c.editCaption = kEdit;
        c.fill = [](DetailRowDialog &d, const QStringList &skip) {
            if (!skip.contains("edtProcent"))
                typeInto(d, "edtProcent", QStringLiteral("12,5"));
            if (!skip.contains("edtBroiRaboteshti"))
                typeInto(d, "edtBroiRaboteshti", QStringLiteral("14"));
        };
        c.filled = {{"PROCENT", 12.5}, {"BROI_RABOTESHTI", 14}};
        c.stored = {{"PROCENT", 20.0}, {"BROI_RABOTESHTI", 3}};
        c.change = [](DetailRowDialog &d) { typeInto(d, "edtBroiRaboteshti", QStringLiteral("30")); };
        c.changedColumn = "BROI_RABOTESHTI";
        c.changedValue = 30;
        break;
    case Agents4:
    case Agents11:
        c.startControl = "lcbCasNomer";
        c.table = kind == Agents4 ? QStringLiteral("P2_4_CAS") : QStringLiteral("P2_11_CAS");
        if (kind == Agents4) {
            c.make = [] { return std::make_unique<TfmCAS4Edit>(); };
            c.accessor = [] { return fmCAS4Edit(); };
        } else {
            c.make = [] { return std::make_unique<TfmCAS11Edit>(); };
            c.accessor = [] { return fmCAS11Edit(); };
        }
        c.addCaption = kAdd;
        c.editCaption = kEdit;
        c.fill = [](DetailRowDialog &d, const QStringList &skip) {
            if (!skip.contains("lcbCasNomer"))
                QVERIFY(pick(combo(d, "lcbCasNomer"), QStringLiteral("71-43-2"), QStringLiteral("71-43-2")));
            if (!skip.contains("edtBroi"))
                typeInto(d, "edtBroi", QStringLiteral("6"));
        };
        c.filled = {{"CAS_CODE", 922}, {"CAS_NOMER", "71-43-2"}, {"CAS_HIM_AGENT", "benzene"},
                    {"BROI", 6}, {"IS_NOMENKLATURA", QVariant()}};
        c.stored = {{"CAS_NOMER", "1234-56-7"}, {"CAS_HIM_AGENT", "Разтворител X"}, {"BROI", 2}};
        c.change = [](DetailRowDialog &d) { typeInto(d, "edtBroi", QStringLiteral("8")); };
        c.changedColumn = "BROI";
        c.changedValue = 8;
        break;
    }
    return c;
}

void addKinds()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("managers") << int(Managers);
    QTest::newRow("activities") << int(Activities);
    QTest::newRow("subdivisions") << int(Subdivisions);
    QTest::newRow("rest breaks") << int(RestBreaks);
    QTest::newRow("agents, item 4") << int(Agents4);
    QTest::newRow("agents, item 11") << int(Agents11);
}

} // namespace

class TestRowDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<RowDialogFixture> m_fx;
    RowDialogFixture &fx() { return *m_fx; }

    int storeDirectly(const DialogCase &c, int declaration)
    {
        QVariantMap values = c.stored;
        values.insert("DEKLARACIA_CODE", declaration);
        return storage::insertRow(fx().db(), c.table, values);
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<RowDialogFixture>();
        fx().addDeclaration(1);
        fx().addDeclaration(2);
    }
    void cleanup() { m_fx.reset(); }

    void frame_data() { addKinds(); }
    void frame()
    {
        QFETCH(int, kind);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        QCOMPARE(c.accessor(), d.get());
        QCOMPARE(d->btnOK()->text(), QStringLiteral("OK"));
        QVERIFY(d->btnOK()->isDefault());
        QCOMPARE(d->btnCancel()->text(), QStringLiteral("Отказ"));
        auto *note = d->findChild<QLabel *>("lblNote");
        QCOMPARE(note->text(), QStringLiteral("* Със звезда са маркирани задължителните полета"));
        QVERIFY(!(d->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);

        QString caption;
        QWidget *focused = nullptr;
        bool fixedSize = false;
        whileShown(*d, [&] {
            caption = d->windowTitle();
            focused = d->focusWidget();
            fixedSize = d->minimumSize() == d->maximumSize();
            clickCancel(*d);
        });
        QCOMPARE(d->AddItem(1), -1);
        QCOMPARE(caption, c.addCaption);
        QVERIFY(focused);
        // An editable list takes the focus through its edit.
        if (focused->objectName().isEmpty() && focused->parentWidget())
            focused = focused->parentWidget();
        QCOMPARE(focused->objectName(), c.startControl);
        QVERIFY(fixedSize);
    }

    void addStoresRowWithNextKey_data() { addKinds(); }
    void addStoresRowWithNextKey()
    {
        QFETCH(int, kind);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();

        // The first row of an empty table gets 1.
        whileShown(*d, [&] {
            c.fill(*d, {});
            clickOK(*d);
        });
        QCOMPARE(d->AddItem(1), 1);
        QCOMPARE(fx().dialogs.shown.size(), 0);

        // Later keys are the largest of the whole table + 1, whatever the declaration.
        storage::exec(fx().db(),
                      QStringLiteral("update %1 set %2 = 7 where %2 = 1")
                          .arg(c.table, d->qryDataEdit().keyColumn()));
        if (Kind(kind) == Activities)
            fx().addDeclaration(3); // a declaration lists an activity once
        whileShown(*d, [&] {
            c.fill(*d, {});
            clickOK(*d);
        });
        const int declaration = Kind(kind) == Activities ? 3 : 2;
        QCOMPARE(d->AddItem(declaration), 8);

        const QList<QVariantMap> rows = fx().rows(c.table);
        QCOMPARE(rows.size(), 2);
        const QVariantMap row = rows.at(1);
        QCOMPARE(row.value(d->qryDataEdit().keyColumn()).toInt(), 8);
        QCOMPARE(row.value("DEKLARACIA_CODE").toInt(), declaration);
        for (auto it = c.filled.cbegin(); it != c.filled.cend(); ++it)
            QVERIFY2(it.value().isNull() ? row.value(it.key()).isNull()
                                         : row.value(it.key()) == it.value(),
                     qPrintable(it.key() + ": " + row.value(it.key()).toString()));
        QVERIFY(!d->qryDataEdit().isOpen());

        // A freed top key is given out again.
        storage::exec(fx().db(), QStringLiteral("delete from %1 where %2 = 8")
                                     .arg(c.table, d->qryDataEdit().keyColumn()));
        whileShown(*d, [&] {
            c.fill(*d, {});
            clickOK(*d);
        });
        QCOMPARE(d->AddItem(2), 8);
    }

    void cancelAddsNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("how");
        const char *ways[] = {"Отказ", "Escape", "close box"};
        for (int k = Managers; k <= Agents11; ++k)
            for (int how = 0; how < 3; ++how)
                QTest::addRow("%d, %s", k, ways[how]) << k << how;
    }
    void cancelAddsNothing()
    {
        QFETCH(int, kind);
        QFETCH(int, how);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        whileShown(*d, [&] {
            c.fill(*d, {});
            if (how == 0)
                clickCancel(*d);
            else if (how == 1)
                QTest::keyClick(d.get(), Qt::Key_Escape);
            else
                d->close();
        });
        QCOMPARE(d->AddItem(1), -1);
        QVERIFY(fx().rows(c.table).isEmpty());
        QVERIFY(fx().dialogs.shown.isEmpty());
        QVERIFY(!d->qryDataEdit().isOpen());
    }

    void editChangesRow_data() { addKinds(); }
    void editChangesRow()
    {
        QFETCH(int, kind);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        const int key = storeDirectly(c, 1);
        storeDirectly(c, 2);

        QString caption;
        QString shownFirst;
        whileShown(*d, [&] {
            caption = d->windowTitle();
            c.change(*d);
            clickOK(*d);
        });
        QVERIFY(d->EditItem(key));
        QCOMPARE(caption, c.editCaption);
        QCOMPARE(fx().dialogs.texts(), QStringList());
        const QList<QVariantMap> rows = fx().rows(c.table);
        QCOMPARE(rows.at(0).value(c.changedColumn), c.changedValue);
        QCOMPARE(rows.at(0).value("DEKLARACIA_CODE").toInt(), 1);
        // The other row is untouched.
        QVERIFY(rows.at(1).value(c.changedColumn) != c.changedValue);
        QVERIFY(!d->qryDataEdit().isOpen());
    }

    void editShowsStoredValuesAndCancelKeepsThem_data() { addKinds(); }
    void editShowsStoredValuesAndCancelKeepsThem()
    {
        QFETCH(int, kind);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        const int key = storeDirectly(c, 1);
        const QList<QVariantMap> before = fx().rows(c.table);

        QStringList shownTexts;
        whileShown(*d, [&] {
            for (QLineEdit *e : d->findChildren<QLineEdit *>())
                if (!e->text().isEmpty())
                    shownTexts << e->text();
            c.change(*d);
            clickCancel(*d);
        });
        QVERIFY(!d->EditItem(key));
        QCOMPARE(fx().rows(c.table), before);
        // Every stored text is on the screen.
        for (const QVariant &v : c.stored) {
            if (v.typeId() != QMetaType::QString)
                continue;
            QVERIFY2(shownTexts.contains(v.toString()), qPrintable(v.toString()));
        }
    }

    void missingRequiredField_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("skip");
        QTest::addColumn<QString>("label");
        QTest::newRow("managers, everything") << int(Managers)
            << QStringList{"edtImena", "edtDlajnost", "edtTelefon", "rgTipDlajnost"} << "Име";
        QTest::newRow("managers, phone") << int(Managers) << QStringList{"edtTelefon"} << "Тел./Факс";
        QTest::newRow("managers, kind") << int(Managers) << QStringList{"rgTipDlajnost"} << "Тип длъжност";
        QTest::newRow("activities") << int(Activities) << QStringList{"lcbNaimenovanie"} << "КИД код";
        // The order told to the user, not the table's: region before address,
        // activity before head.
        QTest::newRow("subdivisions, region and address") << int(Subdivisions)
            << QStringList{"edtAdres", "lcbOblast"} << "Област";
        QTest::newRow("subdivisions, head and activity") << int(Subdivisions)
            << QStringList{"edtRakovoditel", "lcbKidKod"} << "Дейност по КИД";
        QTest::newRow("subdivisions, count") << int(Subdivisions)
            << QStringList{"edtBroiNaetiLica", "edtAdres"} << "Брой наети лица";
        QTest::newRow("rest breaks, percentage") << int(RestBreaks)
            << QStringList{"edtProcent", "edtBroiRaboteshti"} << "% от работното време ";
        QTest::newRow("rest breaks, count") << int(RestBreaks)
            << QStringList{"edtBroiRaboteshti"} << "Брой работещи";
        QTest::newRow("agents 4, name") << int(Agents4) << QStringList{"lcbCasNomer", "edtBroi"}
                                        << "CAS Хим. агент";
        QTest::newRow("agents 11, count") << int(Agents11) << QStringList{"edtBroi"} << "Брой работещи";
    }
    void missingRequiredField()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, skip);
        QFETCH(QString, label);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        bool stayedOpen = false;
        whileShown(*d, [&] {
            c.fill(*d, skip);
            clickOK(*d);
            stayedOpen = d->isVisible();
        });
        QCOMPARE(d->AddItem(1), -1);
        QVERIFY(stayedOpen);
        QCOMPARE(fx().dialogs.texts(),
                 QStringList{QStringLiteral("Полето '%1' трябва да има стойност!").arg(label)});
        QCOMPARE(fx().dialogs.shown.at(0).icon, Dialogs::Icon::Error);
        QVERIFY(fx().rows(c.table).isEmpty());
    }

    void correctedAfterFailureIsSaved_data() { addKinds(); }
    void correctedAfterFailureIsSaved()
    {
        QFETCH(int, kind);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        whileShown(*d, [&] {
            clickOK(*d); // nothing typed yet
            c.fill(*d, {});
            clickOK(*d);
        });
        QCOMPARE(d->AddItem(1), 1);
        QCOMPARE(fx().dialogs.shown.size(), 1);
        QCOMPARE(fx().rows(c.table).size(), 1);
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("confirm");
        for (int k = Managers; k <= Agents11; ++k) {
            QTest::addRow("%d, OK", k) << k << true;
            QTest::addRow("%d, Cancel", k) << k << false;
        }
    }
    void deleteAsksFirst()
    {
        QFETCH(int, kind);
        QFETCH(bool, confirm);
        const DialogCase c = dialogCase(Kind(kind));
        auto d = c.make();
        const int key = storeDirectly(c, 1);
        const int other = storeDirectly(c, 2);
        fx().dialogs.answers = {confirm ? Dialogs::Ok : Dialogs::Cancel};

        QCOMPARE(d->DeleteItem(key), confirm);

        QCOMPARE(fx().dialogs.texts(),
                 QStringList{"Моля, потвърдете изтриването на избрания в таблицата елемент!"});
        QCOMPARE(fx().dialogs.shown.at(0).buttons, int(Dialogs::Ok | Dialogs::Cancel));
        const QList<QVariantMap> rows = fx().rows(c.table);
        const QString keyColumn = d->qryDataEdit().keyColumn();
        QCOMPARE(rows.size(), confirm ? 1 : 2);
        QCOMPARE(rows.last().value(keyColumn).toInt(), other);
        QVERIFY(!d->qryDataEdit().isOpen());
    }

    void deleteOfMissingRowDeletesNothing()
    {
        auto d = dialogCase(RestBreaks).make();
        fx().dialogs.answers = {Dialogs::Ok};
        QVERIFY(!d->DeleteItem(42));
    }

    void editOfMissingRowFails()
    {
        auto d = dialogCase(Managers).make();
        QVERIFY_THROWS_EXCEPTION(Error, d->EditItem(42));
        QVERIFY(!d->qryDataEdit().isOpen());
        QVERIFY(!d->isVisible());
    }

    void failedSaveKeepsWindowOpen()
    {
        const DialogCase c = dialogCase(RestBreaks);
        auto d = c.make();
        storage::exec(fx().db(),
                      QStringLiteral("create trigger refuse before insert on IV_POCHIVKI "
                                     "begin select raise(abort, 'Дискът е пълен'); end"));
        QStringList afterFirst;
        bool stayedOpen = false;
        QString kept;
        whileShown(*d, [&] {
            c.fill(*d, {});
            clickOK(*d);
            stayedOpen = d->isVisible();
            afterFirst = fx().dialogs.texts();
            kept = edit(*d, "edtProcent")->text();
            storage::exec(fx().db(), QStringLiteral("drop trigger refuse"));
            clickOK(*d);
        });
        QCOMPARE(d->AddItem(1), 1);
        QVERIFY(stayedOpen);
        QCOMPARE(afterFirst.size(), 1);
        QVERIFY2(afterFirst.at(0).contains(QStringLiteral("Дискът е пълен")), qPrintable(afterFirst.at(0)));
        QCOMPARE(kept, QStringLiteral("12,5"));
        const QList<QVariantMap> rows = fx().rows("IV_POCHIVKI");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).value("PROCENT").toDouble(), 12.5);
    }

    void textsLimitedToFileLength()
    {
        // A file whose widening of the head's column did not happen still takes 50.
        const DialogCase c = dialogCase(Subdivisions);
        auto d = c.make();
        storage::exec(fx().db(), QStringLiteral("drop table II_PODRAZDELENIEA"));
        storage::exec(fx().db(),
                      QStringLiteral("create table II_PODRAZDELENIEA (II_PODRAZDELENIE_CODE INTEGER "
                                     "PRIMARY KEY, DEKLARACIA_CODE INTEGER, NOMER INTEGER, "
                                     "NAIMENOVANIE TEXT(255), BROI_NAETI_LICA INTEGER, ADRES TEXT(255), "
                                     "DEINOST_KID TEXT(255), RAKOVODITEL TEXT(50), OBLAST_CODE INTEGER, "
                                     "KID_CODE INTEGER)"));
        const QString head = QString(60, QChar(u'Ж'));
        int typedLength = 0;
        whileShown(*d, [&] {
            c.fill(*d, {"edtRakovoditel"});
            typeInto(*d, "edtRakovoditel", head);
            typedLength = int(edit(*d, "edtRakovoditel")->text().size());
            clickOK(*d);
        });
        QCOMPARE(d->AddItem(1), 1);
        QCOMPARE(typedLength, 50);
        QCOMPARE(fx().rows("II_PODRAZDELENIEA").at(0).value("RAKOVODITEL").toString(), head.left(50));
    }
};

QTEST_MAIN(TestRowDialogs)
#include "tst_rowdialogs.moc"
