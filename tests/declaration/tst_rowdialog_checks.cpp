#include "errors.h"
#include "fmcas11edit.h"
#include "fmcas4edit.h"
#include "fminfobutontext.h"
#include "fmkidedit.h"
#include "fmpochivkiedit.h"
#include "fmpodrazdelenia.h"
#include "fmupravlavashtedit.h"
#include "rowdialogdriver.h"
#include "rowsource.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>

using namespace kesp;
using namespace kesp::declaration;
using namespace kesp::test;

namespace {
const QString kNone = QStringLiteral("< не е указан >");
const QString kNotAClass = QStringLiteral("Трябва да изберете елемент, който е с 4-цифрен код!");
const QString kDuplicate = QStringLiteral("Към редактираната декларация вече има добавен този КИД!");
const QString kReminder = QStringLiteral(
    "Напомняне - при наличие на строителна дейност е необходимо да бъде попълнено Приложение № 1.");
const QString kSubdivisionNotAClass = QStringLiteral(
    "За полето \"Дейност по КИД 2008\" трябва да изберете елемент, който е с 4-цифрен код!");
const QString kNotSignatory = QStringLiteral(
    "Декларацията може да се подава само от лица, които са представляващи съответното "
    "юридическо или физическо лице");
const QString kPercentRange = QStringLiteral(
    "Не е допустимо въвеждането на стойност, по-голяма от 50 или по-малка от 0, за полето "
    "\"% от работното време\"!");
} // namespace

class TestRowDialogChecks : public QObject
{
    Q_OBJECT

    std::unique_ptr<RowDialogFixture> m_fx;
    RowDialogFixture &fx() { return *m_fx; }

    int addActivity(TfmKidEdit &d, int declaration, const QString &kod)
    {
        whileShown(d, [&] {
            QVERIFY(pick(d.lcbKod(), kod, kod));
            clickOK(d);
        });
        return d.AddItem(declaration);
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<RowDialogFixture>();
        fx().addDeclaration(1);
        fx().addDeclaration(2);
        fx().addDeclaration(3, true);
    }
    void cleanup()
    {
        TfmKidEdit::setAppendix1Filled({});
        DetailRowDialog::setInfoHook({});
        m_fx.reset();
    }

    // Managers and representatives.

    void signatoryMustRepresent_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("signs");
        QTest::addColumn<bool>("refused");
        QTest::newRow("manager signs") << "rbUpravliavasht" << true << true;
        QTest::newRow("representative signs") << "rbPredstavliavasht" << true << false;
        QTest::newRow("both signs") << "rbUpravliavashtIPredstavliavasht" << true << false;
        QTest::newRow("manager does not sign") << "rbUpravliavasht" << false << false;
    }
    void signatoryMustRepresent()
    {
        QFETCH(QString, kind);
        QFETCH(bool, signs);
        QFETCH(bool, refused);
        TfmUpravlavashtEdit d;
        bool startedUnticked = false;
        whileShown(d, [&] {
            startedUnticked = !d.findChild<QCheckBox *>("chkIsPodavasht")->isChecked();
            typeInto(d, "edtImena", QStringLiteral("Иван Иванов"));
            typeInto(d, "edtDlajnost", QStringLiteral("Съдружник"));
            typeInto(d, "edtTelefon", QStringLiteral("0888 000 111"));
            clickBox(d.findChild<QRadioButton *>(kind));
            if (signs)
                clickBox(d.findChild<QCheckBox *>("chkIsPodavasht"));
            clickOK(d);
        });
        const int key = d.AddItem(1);
        QVERIFY(startedUnticked);
        QCOMPARE(key, refused ? -1 : 1);
        QCOMPARE(fx().dialogs.texts(), refused ? QStringList{kNotSignatory} : QStringList{});
        const auto rows = fx().rows("I_UPRAVLIAVASHTI");
        QCOMPARE(rows.size(), refused ? 0 : 1);
        if (!refused) {
            QCOMPARE(rows.at(0).value("IS_PODAVASHT").toBool(), signs);
            QVERIFY(rows.at(0).value("EMAIL").isNull());
        }
    }

    // Economic activities.

    void activityMustBeAClass_data()
    {
        QTest::addColumn<QString>("kod");
        QTest::newRow("section") << "F";
        QTest::newRow("division") << "41";
        QTest::newRow("group") << "41.2";
    }
    void activityMustBeAClass()
    {
        QFETCH(QString, kod);
        TfmKidEdit d;
        QStringList shown;
        bool stayedOpen = false;
        whileShown(d, [&] {
            QVERIFY(pick(d.lcbKod(), kod, kod));
            QVERIFY(d.lcbNaimenovanie()->currentText() != kNone);
            clickOK(d);
            stayedOpen = d.isVisible();
            shown = {d.lcbKod()->currentText(), d.lcbNaimenovanie()->currentText()};
        });
        QCOMPARE(d.AddItem(1), -1);
        QVERIFY(stayedOpen);
        QCOMPARE(fx().dialogs.texts(), QStringList{kNotAClass});
        QCOMPARE(shown, (QStringList{kNone, kNone}));
        QVERIFY(fx().rows("II_KID").isEmpty());
    }

    void choosingInOneListChoosesInTheOther()
    {
        TfmKidEdit d;
        QString name;
        QString code;
        whileShown(d, [&] {
            QVERIFY(pick(d.lcbKod(), "43.99", "43.99"));
            name = d.lcbNaimenovanie()->currentText();
            QVERIFY(pick(d.lcbNaimenovanie(), QStringLiteral("ПРОГРАМИРАНЕ"),
                         QStringLiteral("Компютърно програмиране")));
            code = d.lcbKod()->currentText();
            clickCancel(d);
        });
        d.AddItem(1);
        QCOMPARE(name, QStringLiteral("Други специализирани строителни дейности, некласифицирани другаде"));
        QCOMPARE(code, QStringLiteral("62.01"));
    }

    void searchIgnoresCyrillicCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("lower") << "компютърно";
        QTest::newRow("upper") << "КОМПЮТЪРНО";
        QTest::newRow("mixed, inside the name") << "ПрОгРаМиРаН";
    }
    void searchIgnoresCyrillicCase()
    {
        QFETCH(QString, typed);
        TfmKidEdit d;
        QStringList offers;
        whileShown(d, [&] {
            offers = offered(d.lcbNaimenovanie(), typed);
            clickCancel(d);
        });
        d.AddItem(1);
        QVERIFY2(offers.contains(QStringLiteral("Компютърно програмиране")), qPrintable(offers.join('|')));
        for (const QString &o : offers)
            QVERIFY(o.contains(typed, Qt::CaseInsensitive));
    }

    void typedTextThatNamesNothingIsDropped()
    {
        TfmKidEdit d;
        QString shown;
        whileShown(d, [&] {
            typeInto(d.lcbKod()->lineEdit(), QStringLiteral("99.99"));
            d.lcbKod()->completer()->popup()->hide();
            clickOK(d);
            shown = d.lcbKod()->currentText();
        });
        QCOMPARE(d.AddItem(1), -1);
        QCOMPARE(shown, kNone);
        QCOMPARE(fx().dialogs.texts(), QStringList{"Полето 'КИД код' трябва да има стойност!"});
    }

    void activityOncePerDeclaration()
    {
        TfmKidEdit d;
        const int first = addActivity(d, 1, "62.01");
        QCOMPARE(first, 1);

        // Again in the same declaration: refused.
        QCOMPARE(addActivity(d, 1, "62.01"), -1);
        QCOMPARE(fx().dialogs.texts(), QStringList{kDuplicate});
        fx().dialogs.clear();

        // The same activity in another declaration passes.
        QCOMPARE(addActivity(d, 2, "62.01"), 2);

        // An edited row does not find itself.
        whileShown(d, [&] { clickOK(d); });
        QVERIFY(d.EditItem(first));

        // Nor may an edit turn a row into another row's activity.
        QCOMPARE(addActivity(d, 1, "62.02"), 3);
        whileShown(d, [&] {
            QVERIFY(pick(d.lcbKod(), "62.01", "62.01"));
            clickOK(d);
        });
        QVERIFY(!d.EditItem(3));
        QCOMPARE(fx().dialogs.texts(), QStringList{kDuplicate});
        QCOMPARE(fx().rows("II_KID").size(), 3);
    }

    void constructionReminder_data()
    {
        QTest::addColumn<QString>("kod");
        QTest::addColumn<int>("declaration");
        QTest::addColumn<bool>("reminded");
        QTest::newRow("construction, appendix 1 not marked") << "41.20" << 1 << true;
        QTest::newRow("construction, appendix 1 marked") << "43.99" << 3 << false;
        QTest::newRow("last construction class") << "43.99" << 1 << true;
        QTest::newRow("not construction") << "62.01" << 1 << false;
    }
    void constructionReminder()
    {
        QFETCH(QString, kod);
        QFETCH(int, declaration);
        QFETCH(bool, reminded);
        TfmKidEdit d;
        QCOMPARE(addActivity(d, declaration, kod), 1);
        QCOMPARE(fx().dialogs.texts(), reminded ? QStringList{kReminder} : QStringList{});
        if (reminded)
            QCOMPARE(fx().dialogs.shown.at(0).icon, Dialogs::Icon::Information);
        const auto rows = fx().rows("II_KID");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).value("KID_KOD").toString(), kod);
    }

    void appendixSourceCanBeTheEditor()
    {
        QList<int> asked;
        TfmKidEdit::setAppendix1Filled([&](int code) {
            asked << code;
            return true;
        });
        TfmKidEdit d;
        QCOMPARE(addActivity(d, 1, "41.20"), 1);
        QCOMPARE(asked, QList<int>{1});
        QVERIFY(fx().dialogs.shown.isEmpty());
    }

    // Subdivisions.

    void subdivisionActivityMustBeAClass()
    {
        TfmPodrazdelenia d;
        QStringList shown;
        whileShown(d, [&] {
            typeInto(d, "edtNaimenovanie", QStringLiteral("Офис"));
            typeInto(d, "edtBroiNaetiLica", QStringLiteral("0"));
            QVERIFY(pick(d.lcbOblast(), QStringLiteral("СОФИЯ-Г"), QStringLiteral("София-град")));
            typeInto(d, "edtAdres", QStringLiteral("ул. Граф Игнатиев 1"));
            QVERIFY(pick(d.lcbKidKod(), "62.0", "62.0"));
            typeInto(d, "edtRakovoditel", QStringLiteral("А. Белев"));
            clickOK(d);
            shown = {d.lcbKidKod()->currentText(), d.lcbKidNaimenovanie()->currentText(),
                     d.lcbOblast()->currentText()};
        });
        QCOMPARE(d.AddItem(1), -1);
        QCOMPARE(fx().dialogs.texts(), QStringList{kSubdivisionNotAClass});
        QCOMPARE(shown, (QStringList{kNone, kNone, QStringLiteral("София-град")}));
        QVERIFY(fx().rows("II_PODRAZDELENIEA").isEmpty());
    }

    void regionsByNameReadForEachCall()
    {
        TfmPodrazdelenia d;
        QStringList regions;
        whileShown(d, [&] {
            for (int i = 0; i < d.lcbOblast()->count(); ++i)
                regions << d.lcbOblast()->itemText(i);
            clickCancel(d);
        });
        d.AddItem(1);
        QCOMPARE(regions.size(), 29);
        QCOMPARE(regions.first(), QString());
        QCOMPARE(regions.at(1), QStringLiteral("Благоевград"));
        QCOMPARE(regions.last(), QStringLiteral("Ямбол"));
        QVERIFY(regions.indexOf(QStringLiteral("София-град")) < regions.indexOf(QStringLiteral("София-област")));
        // Closed between calls.
        QCOMPARE(d.lcbOblast()->count(), 1);
    }

    // Rest breaks.

    void percentage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("comma") << "12,5" << 12.5 << QString();
        QTest::newRow("point") << "12.5" << 12.5 << QString();
        QTest::newRow("upper bound") << "50" << 50.0 << QString();
        QTest::newRow("lower bound") << "0" << 0.0 << QString();
        QTest::newRow("above") << "50,5" << -1.0 << kPercentRange;
        QTest::newRow("negative") << "-1" << -1.0 << kPercentRange;
        QTest::newRow("not a number") << "12a5" << -1.0
            << "Полето \"% от работното време\" трябва да съдържа число, например 12,5!";
        QTest::newRow("two separators") << "1,2.5" << -1.0
            << "Полето \"% от работното време\" трябва да съдържа число, например 12,5!";
    }
    void percentage()
    {
        QFETCH(QString, typed);
        QFETCH(double, stored);
        QFETCH(QString, message);
        TfmPochivkiEdit d;
        QWidget *focusAfter = nullptr;
        whileShown(d, [&] {
            typeInto(d, "edtProcent", typed);
            typeInto(d, "edtBroiRaboteshti", "3");
            QTest::keyClick(&d, Qt::Key_Tab); // the focus leaves the percentage
            clickOK(d);
            focusAfter = d.focusWidget();
        });
        const int key = d.AddItem(1);
        const auto rows = fx().rows("IV_POCHIVKI");
        if (message.isEmpty()) {
            QCOMPARE(key, 1);
            QCOMPARE(rows.at(0).value("PROCENT").toDouble(), stored);
            QVERIFY(fx().dialogs.shown.isEmpty());
        } else {
            QCOMPARE(key, -1);
            QVERIFY(rows.isEmpty());
            QCOMPARE(fx().dialogs.texts(), QStringList{message});
            QCOMPARE(focusAfter, edit(d, "edtProcent"));
        }
    }

    void storedPercentageShownWithComma()
    {
        TfmPochivkiEdit d;
        const int key = storage::insertRow(fx().db(), "IV_POCHIVKI",
                                           {{"DEKLARACIA_CODE", 1}, {"PROCENT", 20.25}, {"BROI_RABOTESHTI", 4}});
        QString shown;
        whileShown(d, [&] {
            shown = edit(d, "edtProcent")->text();
            clickOK(d);
        });
        QVERIFY(d.EditItem(key));
        QCOMPARE(shown, QStringLiteral("20,25"));
        QCOMPARE(fx().rows("IV_POCHIVKI").at(0).value("PROCENT").toDouble(), 20.25);
    }

    // Counts in every dialog.

    void countsTakeDigitsWithinBounds_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("editName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QList<QPair<int, QString>> edits = {{0, "edtBroiNaetiLica"},
                                                  {1, "edtBroiRaboteshti"},
                                                  {2, "edtBroi"},
                                                  {3, "edtBroi"}};
        for (const auto &[dialog, name] : edits) {
            QTest::addRow("%s %d, signs and letters", qPrintable(name), dialog)
                << dialog << name << "-1a2.3,4 5+" << "12345";
            QTest::addRow("%s %d, largest", qPrintable(name), dialog)
                << dialog << name << "2147483647" << "2147483647";
            QTest::addRow("%s %d, one more", qPrintable(name), dialog)
                << dialog << name << "2147483648" << "214748364";
            QTest::addRow("%s %d, Cyrillic", qPrintable(name), dialog)
                << dialog << name << "7бр" << "7";
        }
    }
    void countsTakeDigitsWithinBounds()
    {
        QFETCH(int, dialog);
        QFETCH(QString, editName);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        std::unique_ptr<DetailRowDialog> d;
        switch (dialog) {
        case 0: d = std::make_unique<TfmPodrazdelenia>(); break;
        case 1: d = std::make_unique<TfmPochivkiEdit>(); break;
        case 2: d = std::make_unique<TfmCAS4Edit>(); break;
        default: d = std::make_unique<TfmCAS11Edit>(); break;
        }
        QString shown;
        QVariant value;
        whileShown(*d, [&] {
            QLineEdit *e = edit(*d, qPrintable(editName));
            typeInto(e, typed);
            shown = e->text();
            value = d->qryDataEdit().value(d->qryDataEdit().fieldNames().contains("BROI")
                                               ? "BROI"
                                           : dialog == 0 ? "BROI_NAETI_LICA"
                                                         : "BROI_RABOTESHTI");
            clickCancel(*d);
        });
        d->AddItem(1);
        QCOMPARE(shown, kept);
        QCOMPARE(value.toLongLong(), kept.toLongLong());
    }

    // Chemical agents.

    void registerAgentIsCopiedAndLocked_data()
    {
        QTest::addColumn<bool>("item4");
        QTest::newRow("item 4") << true;
        QTest::newRow("item 11") << false;
    }
    void registerAgentIsCopiedAndLocked()
    {
        QFETCH(bool, item4);
        std::unique_ptr<CasEditDialog> d;
        if (item4)
            d = std::make_unique<TfmCAS4Edit>();
        else
            d = std::make_unique<TfmCAS11Edit>();
        QStringList chosen, cleared;
        bool lockedWhenChosen = false, openWhenCleared = false, openAtStart = false;
        whileShown(*d, [&] {
            openAtStart = !edit(*d, "edtCasNomer")->isReadOnly();
            QVERIFY(pick(d->lcbHimAgent(), "BENZEN", "benzene"));
            chosen = {edit(*d, "edtCasNomer")->text(), edit(*d, "edtCasHimAgent")->text(),
                      d->lcbCasNomer()->currentText()};
            lockedWhenChosen = edit(*d, "edtCasNomer")->isReadOnly()
                               && edit(*d, "edtCasHimAgent")->isReadOnly();
            QVERIFY(pick(d->lcbCasNomer(), QStringLiteral("не е указан"), kNone));
            cleared = {edit(*d, "edtCasNomer")->text(), edit(*d, "edtCasHimAgent")->text()};
            openWhenCleared = !edit(*d, "edtCasNomer")->isReadOnly()
                              && !edit(*d, "edtCasHimAgent")->isReadOnly();
            clickCancel(*d);
        });
        d->AddItem(1);
        QVERIFY(openAtStart);
        QCOMPARE(chosen, (QStringList{"71-43-2", "benzene", "71-43-2"}));
        QVERIFY(lockedWhenChosen);
        QCOMPARE(cleared, (QStringList{QString(), QString()}));
        QVERIFY(openWhenCleared);
    }

    void typedAgentHasNoRegisterReference_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("with a number") << "10605-21-7";
        QTest::newRow("without a number") << "";
        QTest::newRow("a long number") << "1234567-89-5";
    }
    void typedAgentHasNoRegisterReference()
    {
        QFETCH(QString, number);
        TfmCAS11Edit d;
        whileShown(d, [&] {
            if (!number.isEmpty())
                typeInto(d, "edtCasNomer", number);
            typeInto(d, "edtCasHimAgent", QStringLiteral("Карбендазим"));
            typeInto(d, "edtBroi", "2");
            clickOK(d);
        });
        QCOMPARE(d.AddItem(2), 1);
        const auto rows = fx().rows("P2_11_CAS");
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.at(0).value("CAS_CODE").isNull());
        QCOMPARE(rows.at(0).value("CAS_NOMER").toString(), number);
        QCOMPARE(rows.at(0).value("CAS_NOMER").isNull(), number.isEmpty());
        QCOMPARE(rows.at(0).value("CAS_HIM_AGENT").toString(), QStringLiteral("Карбендазим"));
        QCOMPARE(rows.at(0).value("BROI").toInt(), 2);
        QVERIFY(fx().rows("P2_4_CAS").isEmpty());
    }

    void storedRegisterAgentOpensLocked()
    {
        TfmCAS4Edit d;
        const int key = storage::insertRow(fx().db(), "P2_4_CAS",
                                           {{"DEKLARACIA_CODE", 1}, {"CAS_CODE", 922},
                                            {"CAS_NOMER", "71-43-2"}, {"CAS_HIM_AGENT", "benzene"},
                                            {"BROI", 1}});
        bool locked = false;
        QString listed;
        whileShown(d, [&] {
            locked = edit(d, "edtCasHimAgent")->isReadOnly();
            listed = d.lcbHimAgent()->currentText();
            clickCancel(d);
        });
        QVERIFY(!d.EditItem(key));
        QVERIFY(locked);
        QCOMPARE(listed, QStringLiteral("benzene"));
    }

    // Info buttons.

    void infoButtons_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<int>("code");
        QTest::newRow("managers") << 0 << 4;
        QTest::newRow("activities") << 1 << 38;
        QTest::newRow("subdivisions") << 2 << 38;
    }
    void infoButtons()
    {
        QFETCH(int, dialog);
        QFETCH(int, code);
        std::unique_ptr<DetailRowDialog> d;
        if (dialog == 0)
            d = std::make_unique<TfmUpravlavashtEdit>();
        else if (dialog == 1)
            d = std::make_unique<TfmKidEdit>();
        else
            d = std::make_unique<TfmPodrazdelenia>();
        QList<int> opened;
        DetailRowDialog::setInfoHook([&](int c) { opened << c; });
        auto *button = d->findChild<QToolButton *>("btnInfo");
        QVERIFY(button);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QWidget *focusBefore = nullptr, *focusAfter = nullptr;
        whileShown(*d, [&] {
            focusBefore = d->focusWidget();
            QTest::mouseClick(button, Qt::LeftButton);
            focusAfter = d->focusWidget();
            clickCancel(*d);
        });
        d->AddItem(1);
        QCOMPARE(opened, QList<int>{code});
        QCOMPARE(focusAfter, focusBefore);
    }

    void infoButtonOpensHelpWindowByDefault()
    {
        registers::TfmInfoButonText info;
        TfmKidEdit d;
        QString text;
        whileShown(d, [&] {
            QTimer::singleShot(0, &info, [&] {
                text = info.edtText()->toPlainText();
                info.reject();
            });
            QTest::mouseClick(d.findChild<QToolButton *>("btnInfo"), Qt::LeftButton);
            clickCancel(d);
        });
        d.AddItem(1);
        QVERIFY2(text.startsWith(QStringLiteral("Икономическата дейност се избира")), qPrintable(text));
    }
};

QTEST_MAIN(TestRowDialogChecks)
#include "tst_rowdialog_checks.moc"
