#include "database.h"
#include "declarationview.h"
#include "errors.h"
#include "fieldmarks.h"
#include "opendeclaration.h"
#include "rowsource.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QTest>

using namespace kesp;
using namespace kesp::rules;
using namespace kesp::storage;

class TestRulesView : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;
    std::unique_ptr<RowSource> m_row1;
    std::unique_ptr<RowSource> m_row2;

    QSqlDatabase db() const { return m_dm->database(); }
    DeclarationView view() const { return DeclarationView(m_row1.get(), m_row2.get(), db()); }

    // Both rows of document 1, stored and then held in editing, as the editor holds them.
    void openDocument()
    {
        test::insertEmptyDeclaration(db(), 1);
        m_row1 = test::openDeclarationRow(db(), QStringLiteral("DEKLARACIA"), 1);
        m_row2 = test::openDeclarationRow(db(), QStringLiteral("DEKLARACIA2"), 1);
    }

    RowSource &rowOf(const QString &column) { return m_row1->hasField(column) ? *m_row1 : *m_row2; }

private slots:
    void init()
    {
        m_dm = std::make_unique<TdmMain>(m_files.delivered());
        openDocument();
    }
    void cleanup()
    {
        m_row2.reset();
        m_row1.reset();
        m_dm.reset();
    }

    void terms_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<bool>("equalsOne");
        QTest::addColumn<bool>("atLeastZero");
        QTest::addColumn<bool>("atLeastOne");
        QTest::addColumn<qint64>("number");

        const QVariant null;
        QTest::newRow("empty count")
            << "IV_2_LPS_BROI" << null << false << false << false << false << qint64(0);
        QTest::newRow("count 0") << "IV_2_LPS_BROI" << QVariant(0) << true << false << true << false
                                 << qint64(0);
        QTest::newRow("count 7") << "IV_2_LPS_BROI" << QVariant(7) << true << false << true << true
                                 << qint64(7);
        QTest::newRow("answer yes")
            << "IV_2_LPS" << QVariant(1) << true << true << true << true << qint64(1);
        QTest::newRow("answer no")
            << "IV_2_LPS" << QVariant(2) << true << false << true << true << qint64(2);
        QTest::newRow("no answer")
            << "IV_2_LPS" << null << false << false << false << false << qint64(0);
        QTest::newRow("count of the second row")
            << "P5_ZDRAVNO_NABL" << QVariant(0) << true << false << true << false << qint64(0);
    }
    void terms()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, value);

        // Set and not posted: the rules see what the editor shows.
        rowOf(column).setValue(column, value);
        const DeclarationView d = view();
        const QByteArray name = column.toLatin1();
        QTEST(d.filled(name), "filled");
        QTEST(d.equals(name, 1), "equalsOne");
        QTEST(d.atLeast(name, 0), "atLeastZero");
        QTEST(d.atLeast(name, 1), "atLeastOne");
        QTEST(d.num(name), "number");
    }

    void textFilledWhenNotBlank_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("filled");
        QTest::newRow("name") << QVariant(QStringLiteral("Мебели ООД")) << true;
        QTest::newRow("blanks around") << QVariant(QStringLiteral("  Мебели  ")) << true;
        QTest::newRow("blanks only") << QVariant(QStringLiteral("   ")) << false;
        QTest::newRow("empty") << QVariant(QString()) << false;
        QTest::newRow("null") << QVariant() << false;
    }
    void textFilledWhenNotBlank()
    {
        QFETCH(QVariant, value);
        m_row1->setValue(QStringLiteral("I_NAIMENOVANIE_UL"), value);
        QTEST(view().filled("I_NAIMENOVANIE_UL"), "filled");
    }

    void tickedOnlyWhenTrue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("false") << QVariant(false) << false;
        QTest::newRow("null") << QVariant() << false;
    }
    void tickedOnlyWhenTrue()
    {
        QFETCH(QVariant, value);
        m_row1->setValue(QStringLiteral("IV_2_GLAVA"), value);
        m_row2->setValue(QStringLiteral("P5_PRIL_E_POPULNENO"), value);
        const DeclarationView d = view();
        QTEST(d.ticked("IV_2_GLAVA"), "ticked");
        QTEST(d.anyTicked({"IV_2_KRAKA", "P5_PRIL_E_POPULNENO"}), "ticked");
    }

    void sumsCountEmptyAsZero()
    {
        m_row1->setValue(QStringLiteral("II_NAETI_J"), 4);
        m_row1->setValue(QStringLiteral("II_NAETI_M"), QVariant());
        m_row2->setValue(QStringLiteral("P5_ZDRAVNO_NABL"), 3);
        QCOMPARE(view().sum({"II_NAETI_J", "II_NAETI_M", "P5_ZDRAVNO_NABL"}), qint64(7));
    }

    void closedRowsReadAsEmpty()
    {
        m_row1->setValue(QStringLiteral("IV_2_LPS"), 1);
        m_row2->close();
        const DeclarationView d = view();
        QVERIFY(d.equals("IV_2_LPS", 1));
        QVERIFY(d.isNull("P5_ZDRAVNO_NABL"));
        QVERIFY(DeclarationView(nullptr, nullptr, db()).isNull("IV_2_LPS"));
    }

    void unknownColumnIsAFaultOfTheRule()
    {
        QVERIFY_THROWS_EXCEPTION(InternalError, view().filled("IV_2_NO_SUCH_COLUMN"));
    }

    void detailListsAreReadFreshForTheDocument()
    {
        exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (2)"));
        exec(db(),
             QStringLiteral("insert into II_KID (II_KID_CODE, DEKLARACIA_CODE, KID_CODE, KID_KOD, "
                            "IS_NOMENKLATURA) "
                            "values (1, 1, 610, '06.10', 1), (2, 2, 520, '05.20', 0)"));
        const DeclarationView d = view();
        const DetailRows kid = d.qryII_KID();
        QCOMPARE(kid.size(), 1);
        QCOMPARE(kid.at(0).text("KID_KOD"), QStringLiteral("06.10"));
        QVERIFY(kid.at(0).ticked("IS_NOMENKLATURA"));
        QVERIFY(kid.any([](const auto &r) { return r.equals("KID_CODE", 610); }));

        // Nothing is kept: a row stored meanwhile is seen by the next reading.
        exec(db(),
             QStringLiteral("insert into II_KID (II_KID_CODE, DEKLARACIA_CODE, KID_CODE, KID_KOD) "
                            "values (3, 1, 520, '05.20')"));
        QCOMPARE(d.qryII_KID().size(), 2);
        QCOMPARE(d.qryKid2(520).size(), 1);
        QCOMPARE(d.qryKid2(999).size(), 0);
        // An empty activity code is looked up as 0 and finds nothing.
        QCOMPARE(d.qryKid2(QVariant()).size(), 0);
    }

    void eachDetailQueryReadsItsTable()
    {
        exec(db(),
             QStringLiteral("insert into I_UPRAVLIAVASHTI (I_UPRAVLIAVASHT_CODE, DEKLARACIA_CODE, "
                            "TIP_DLAJNOST, IS_PODAVASHT) values (1, 1, 3, 1)"));
        exec(db(),
             QStringLiteral("insert into II_PODRAZDELENIEA (II_PODRAZDELENIE_CODE, "
                            "DEKLARACIA_CODE, KID_CODE, NAIMENOVANIE) values (1, 1, 610, 'Цех')"));
        exec(db(),
             QStringLiteral(
                 "insert into IV_POCHIVKI (POCHIVKA_CODE, DEKLARACIA_CODE) values (1, 1)"));
        exec(db(),
             QStringLiteral("insert into P2_4_CAS (P1_CAS_CODE, DEKLARACIA_CODE) values (1, 1)"));
        exec(db(),
             QStringLiteral(
                 "insert into P2_11_CAS (P1_CAS_CODE, DEKLARACIA_CODE) values (1, 1), (2, 1)"));
        const DeclarationView d = view();
        QVERIFY(d.qryUpravliavashti().all(
            [](const auto &r) { return r.equals("TIP_DLAJNOST", 3) && r.ticked("IS_PODAVASHT"); }));
        QCOMPARE(d.qryPodrazdelenia().at(0).text("NAIMENOVANIE"), QStringLiteral("Цех"));
        QCOMPARE(d.qryPochivki().size(), 1);
        QCOMPARE(d.qryHimAg().size(), 1);
        QCOMPARE(d.qryMuta().size(), 2);
    }

    void databaseFailureReachesTheCaller()
    {
        exec(db(), QStringLiteral("drop table IV_POCHIVKI"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, view().qryPochivki());
    }
};

QTEST_GUILESS_MAIN(TestRulesView)
#include "tst_rulesview.moc"
