#include "database.h"
#include "opendeclaration.h"
#include "rowsource.h"
#include "ruletable.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"
#include "testdb.h"

#include <QSignalSpy>
#include <QTest>

using namespace kesp;
using namespace kesp::rules;
using namespace kesp::storage;

namespace {
// Field codes of the controls the examples use.
constexpr int rdpnlIV_2_LPS = 19;
constexpr int edtIV_2_LPS_BROI = 20;
constexpr int edtIV_2_POVECHE_OT_1_LPS = 21;
constexpr int edtP5_ZDRAVNO_NABL = 135;
constexpr int chkPrilojenie5 = 287;

const QString kText21 =
    QStringLiteral("Раздел IV, т. 26 - Полето \"Брой\" е задължително при отговор \"ДА\".");
const QString kText23 =
    QStringLiteral("Раздел IV, т. 27 - Полето \"Брой\" е задължително при отговор \"ДА\".");
} // namespace

class TestValidacii : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;
    std::unique_ptr<RowSource> m_row1;
    std::unique_ptr<RowSource> m_row2;
    std::unique_ptr<TdmValidacii> m_engine;

    QSqlDatabase db() const { return m_dm->database(); }
    TdmValidacii &engine() { return *m_engine; }
    FieldMarks &marks() { return m_engine->fieldMarks(); }

    void link(int rule, int field)
    {
        exec(db(),
             QStringLiteral("insert into POLETA_PRAVILA (PRAVILO_CODE, POLE_CODE) values (?, ?)"),
             {rule, field});
    }
    void setText(int rule, const QString &text)
    {
        exec(db(),
             QStringLiteral("update PRAVILA set INFO_TEXT = ? where PRAVILO_CODE = ?"),
             {text, rule});
    }
    void load()
    {
        engine().UpdatePravila();
        engine().UpdatePoletaPravila();
    }
    void set(const QString &column, const QVariant &value)
    {
        (m_row1->hasField(column) ? *m_row1 : *m_row2).setValue(column, value);
    }

    // A declaration that satisfies every rule the tables hold; extend it with each rule added.
    void makeSatisfying()
    {
        set(QStringLiteral("IV_2_LPS"), 1);
        set(QStringLiteral("IV_2_LPS_BROI"), 4);
        set(QStringLiteral("IV_2_POVECHE_OT_1_LPS"), 2);
        set(QStringLiteral("IV_2_OBUCHENIE"), 1);
        set(QStringLiteral("P5_PRIL_E_POPULNENO"), true);
        set(QStringLiteral("P5_ZDRAVNO_NABL"), 0);
        // Sections I and II: a company with its addresses, people, one activity, one manager.
        const std::pair<const char *, QVariant> sectionsIAndII[] = {
            {"GODINA", 2010},
            {"I_SAMOSTO_NAEMAT_RAB", true},
            {"I_NAIMENOVANIE_UL", "Stroy Invest"},
            {"I_EIK", "175012341"},
            {"I_OBLAST_CODE", 22},
            {"I_OBSHTINA_CODE", 2246},
            {"I_GRAD_CODE", 68134},
            {"I_POSHTENSKI_KOD", 1000},
            {"I_ULICA", "Vitosha"},
            {"I_ULICA_NOMER", "15"},
            {"I_LK_IMENA", "P. Koleva"},
            {"I_LK_DLAJNOST", "Assistant"},
            {"I_LK_TEL_FAKS", "029810000"},
            {"II_NAIMENOVANIE", "Stroy Invest"},
            {"II_OBLAST_CODE", 22},
            {"II_OBSHTINA_CODE", 2246},
            {"II_GRAD_CODE", 68134},
            {"II_POSHTENSKI_KOD", 1000},
            {"II_ULICA", "Vitosha"},
            {"II_RAKOVODITEL_IMENA", "I. Ivanov"},
            {"II_RAKOVODITEL_DLAJNOST", "Manager"},
            {"II_RAKOVODITEL_TELEFON", "029810001"},
            {"II_PERSONAL_BROI", 1},
            {"II_NAETI_LICA", 0},
        };
        for (const auto &[column, value] : sectionsIAndII)
            set(QLatin1String(column), value);
        exec(db(),
             QStringLiteral("insert into I_UPRAVLIAVASHTI (I_UPRAVLIAVASHT_CODE, DEKLARACIA_CODE, "
                            "TIP_DLAJNOST, IS_PODAVASHT) values (1, 1, 3, 1)"));
        exec(db(),
             QStringLiteral(
                 "insert into II_KID (II_KID_CODE, DEKLARACIA_CODE, KID_CODE) values (1, 1, 1)"));
    }

private slots:
    void init()
    {
        m_dm = std::make_unique<TdmMain>(m_files.delivered());
        // The links of rules 21 and 23; the delivered file has them from rule 119 on only.
        link(21, rdpnlIV_2_LPS);
        link(21, edtIV_2_LPS_BROI);
        link(23, rdpnlIV_2_LPS);
        link(23, edtIV_2_POVECHE_OT_1_LPS);
        setText(21, kText21);
        setText(23, kText23);

        test::insertEmptyDeclaration(db(), 1);
        m_row1 = test::openDeclarationRow(db(), QStringLiteral("DEKLARACIA"), 1);
        m_row2 = test::openDeclarationRow(db(), QStringLiteral("DEKLARACIA2"), 1);

        m_engine = std::make_unique<TdmValidacii>(db());
        engine().setDeclaration(m_row1.get(), m_row2.get());
    }
    void cleanup()
    {
        m_engine.reset();
        m_row2.reset();
        m_row1.reset();
        m_dm.reset();
    }

    void theRuleTablesAreConsistent()
    {
        // Built on first use; a retired, unconditioned or doubled code in a table throws.
        QVERIFY_THROWS_NO_EXCEPTION(RuleSet::instance());
        QVERIFY(RuleSet::instance().row(21));
        QVERIFY(!RuleSet::instance().row(254));
    }

    void accessorFindsTheEngine()
    {
        QCOMPARE(dmValidacii(), m_engine.get());
        m_engine.reset();
        QCOMPARE(dmValidacii(), nullptr);
    }

    void catalogueTextsLoad()
    {
        exec(db(), QStringLiteral("delete from PRAVILA where PRAVILO_CODE = 5"));
        exec(db(), QStringLiteral("update PRAVILA set ACTIVE = 0 where PRAVILO_CODE = 23"));
        // Rows outside the codes are skipped.
        exec(db(),
             QStringLiteral("insert into PRAVILA (PRAVILO_CODE, INFO_TEXT, ACTIVE) values (0, "
                            "'нула', 1), (335, 'извън', 1)"));
        load();

        QCOMPARE(engine().pravilo(21).InfoText, kText21);
        QVERIFY(engine().pravilo(21).Active);
        QVERIFY(!engine().pravilo(23).Active);
        QCOMPARE(engine().pravilo(5).InfoText, QString());
        QCOMPARE(engine().pravilo(0).InfoText, QString());
        QCOMPARE(engine().pravilo(335).InfoText, QString());
        // The column ACTIVE decides nothing.
        QVERIFY(TdmValidacii::PrviloActive(23));
    }

    void linksLoadInStoredOrder()
    {
        link(300, 22);
        link(255, 22);
        link(22, 22);
        exec(db(), QStringLiteral("delete from POLETA where POLE_CODE = 22"));
        // Links with codes outside the ranges are skipped.
        link(21, 0);
        link(21, 377);
        link(0, edtIV_2_LPS_BROI);
        link(335, edtIV_2_LPS_BROI);
        load();

        QCOMPARE(engine().rulesOfField(22), (QList<int>{300, 255, 22}));
        QCOMPARE(engine().rulesOfField(rdpnlIV_2_LPS), (QList<int>{21, 23}));
        QCOMPARE(engine().rulesOfField(edtIV_2_LPS_BROI), QList<int>{21});
        QCOMPARE(engine().fieldsMarkedBy(21), (QList<int>{rdpnlIV_2_LPS, edtIV_2_LPS_BROI}));
        QCOMPARE(engine().fieldName(edtIV_2_LPS_BROI),
                 scalar(db(), QStringLiteral("select POLE_IME from POLETA where POLE_CODE = 20"))
                     .toString());
        QVERIFY(!engine().fieldName(edtIV_2_LPS_BROI).isEmpty());
        // A link without a POLETA row still comes, with an empty name.
        QCOMPARE(engine().fieldName(22), QString());
        QVERIFY(engine().rulesOfField(0).isEmpty());
        QVERIFY(engine().rulesOfField(377).isEmpty());
    }

    // A field lists at most 80 rules; the 81st still marks, as marking is the rule's own.
    void fieldListsAtMostEightyRules()
    {
        constexpr int field = 300;
        exec(db(), QStringLiteral("delete from POLETA_PRAVILA where POLE_CODE = %1").arg(field));
        QList<int> stored;
        for (int rule = 119; stored.size() < 80; ++rule) {
            if (rule == 21 || rule == 23)
                continue;
            link(rule, field);
            stored.append(rule);
        }
        link(21, field);
        load();

        QCOMPARE(engine().rulesOfField(field), stored);
        set(QStringLiteral("IV_2_LPS"), 1);
        const auto list = engine().RecheckFieldRules(field, false);
        QVERIFY(list.has_value());
        for (const auto &e : list->violated + list->satisfied)
            QVERIFY(e.rule != 21);
        QVERIFY(engine().fieldsMarkedBy(21).contains(field));
        QVERIFY(!engine().ValidateRule(21, true));
        QVERIFY(marks().isMarkedBy(field, 21));
    }

    // The option group of item 25 is marked by rules 21 and 23 until both are satisfied.
    void protectiveEquipmentExample()
    {
        load();
        QSignalSpy changed(&marks(), &FieldMarks::markedChanged);
        set(QStringLiteral("IV_2_LPS"), 1);

        QVERIFY(!engine().ValidateRule(21, true));
        QVERIFY(!engine().ValidateRule(23, true));
        QVERIFY(marks().isMarked(rdpnlIV_2_LPS));
        QVERIFY(marks().isMarked(edtIV_2_LPS_BROI));
        QVERIFY(marks().isMarked(edtIV_2_POVECHE_OT_1_LPS));
        QCOMPARE(marks().markingRules(rdpnlIV_2_LPS), (QList<int>{21, 23}));

        // Leaving the count re-evaluates rule 21 only: the group stays marked by rule 23.
        set(QStringLiteral("IV_2_LPS_BROI"), 3);
        QVERIFY(!engine().RecheckFieldRules(edtIV_2_LPS_BROI, true).has_value());
        QVERIFY(!marks().isMarked(edtIV_2_LPS_BROI));
        QVERIFY(marks().isMarked(rdpnlIV_2_LPS));
        QCOMPARE(marks().markingRules(rdpnlIV_2_LPS), QList<int>{23});

        set(QStringLiteral("IV_2_POVECHE_OT_1_LPS"), 0);
        engine().RecheckFieldRules(edtIV_2_POVECHE_OT_1_LPS, true);
        QVERIFY(marks().markedFields().isEmpty());

        QList<QVariantList> expected = {
            {rdpnlIV_2_LPS, true},
            {edtIV_2_LPS_BROI, true},
            {edtIV_2_POVECHE_OT_1_LPS, true},
            {edtIV_2_LPS_BROI, false},
            {rdpnlIV_2_LPS, false},
            {edtIV_2_POVECHE_OT_1_LPS, false},
        };
        QCOMPARE(QList<QVariantList>(changed.begin(), changed.end()), expected);
    }

    void answerNoNeedsNoCounts()
    {
        load();
        set(QStringLiteral("IV_2_LPS"), 2);
        QVERIFY(engine().ValidateRule(21, true));
        QVERIFY(engine().ValidateRule(23, true));
        set(QStringLiteral("IV_2_LPS"), QVariant());
        QVERIFY(engine().ValidateRule(21, true));
        QVERIFY(engine().ValidateRule(23, true));
        QVERIFY(marks().markedFields().isEmpty());
    }

    void rulesWithoutEffect_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<bool>("active");
        for (int code : {2, 22, 56, 59, 206, 215, 300})
            QTest::addRow("without condition %d", code) << code << true;
        for (int code : {71,  77,  80,  84,  87,  88,  91,  97,  98,  103, 143, 151, 172, 184,
                         194, 196, 198, 200, 202, 205, 238, 239, 254, 303, 321, 329, 331, 332})
            QTest::addRow("retired %d", code) << code << false;
    }
    void rulesWithoutEffect()
    {
        QFETCH(int, rule);
        QFETCH(bool, active);

        link(rule, rdpnlIV_2_LPS);
        link(rule, edtIV_2_LPS_BROI);
        setText(rule, QStringLiteral("Правило %1").arg(rule));
        load();
        // One field marked, its neighbour normal.
        set(QStringLiteral("IV_2_LPS"), 1);
        set(QStringLiteral("IV_2_LPS_BROI"), 2);
        engine().ValidateRule(23, true);
        const QList<int> before = marks().markedFields();
        QSignalSpy changed(&marks(), &FieldMarks::markedChanged);

        for (const bool svetvai : {true, false})
            QVERIFY(engine().ValidateRule(rule, svetvai));
        engine().RecheckFieldRules(rdpnlIV_2_LPS, true);
        QCOMPARE(marks().markedFields(), before);
        QCOMPARE(marks().markingRules(rdpnlIV_2_LPS), QList<int>{23});
        QCOMPARE(changed.size(), 0);

        QCOMPARE(TdmValidacii::PrviloActive(rule), active);
        QVERIFY(!TdmValidacii::hasCondition(rule));
        // Entering the field lists the rule among the satisfied ones unless it is retired.
        const auto list = engine().RecheckFieldRules(edtIV_2_LPS_BROI, false);
        QVERIFY(list.has_value());
        QVERIFY(list->violated.isEmpty());
        QCOMPARE(list->satisfied.contains(
                     FieldRuleList::Entry{rule, QStringLiteral("Правило %1").arg(rule)}),
                 active);
    }

    void activeRulesAreTheOthers_data()
    {
        QTest::addColumn<int>("rule");
        for (int code :
             {1,   70,  78,  79,  85,  86,  89,  90,  99,  102, 104, 142, 144, 150, 173, 183,
              195, 197, 199, 203, 204, 237, 240, 253, 255, 302, 304, 320, 330, 333, 334})
            QTest::addRow("%d", code) << code;
    }
    void activeRulesAreTheOthers()
    {
        QFETCH(int, rule);
        QVERIFY(TdmValidacii::PrviloActive(rule));
        QVERIFY(TdmValidacii::hasCondition(rule));
    }

    // Rule 255 marks through the second bit set, and only the count, not the linked switch.
    void secondBitSetAndOwnMarks()
    {
        load();
        QCOMPARE(engine().rulesOfField(chkPrilojenie5).contains(255), true);
        QCOMPARE(engine().fieldsMarkedBy(255), QList<int>{edtP5_ZDRAVNO_NABL});

        set(QStringLiteral("P5_PRIL_E_POPULNENO"), true);
        QVERIFY(!engine().ValidateRule(255, true));
        QVERIFY(marks().prPravilaNad255(edtP5_ZDRAVNO_NABL).test(0));
        QCOMPARE(marks().prPravilaNad255(edtP5_ZDRAVNO_NABL).count(), size_t(1));
        QVERIFY(marks().prPravila(edtP5_ZDRAVNO_NABL).none());
        QVERIFY(!marks().isMarked(chkPrilojenie5));

        // Rule 254 is linked to fields in the delivered file but is retired.
        const QList<int> fields254 = engine().fieldsMarkedBy(254);
        QVERIFY(!fields254.isEmpty());
        QVERIFY(engine().ValidateRule(254, true));
        for (int f : fields254)
            QVERIFY(!marks().prPravila(f).test(254));

        set(QStringLiteral("P5_ZDRAVNO_NABL"), 0);
        QVERIFY(engine().ValidateRule(255, true));
        QVERIFY(!marks().isMarked(edtP5_ZDRAVNO_NABL));
    }

    void evaluationWithoutMarkingLeavesTheMarks()
    {
        load();
        set(QStringLiteral("IV_2_LPS"), 1);
        engine().ValidateRule(21, true);
        QVERIFY(marks().isMarked(edtIV_2_LPS_BROI));
        QSignalSpy changed(&marks(), &FieldMarks::markedChanged);

        makeSatisfying();
        QVERIFY(engine().ValidateRule(21, false));
        QString greshki;
        QVERIFY(engine().CheckValidations(false, greshki));
        const auto list = engine().RecheckFieldRules(edtIV_2_LPS_BROI, false);
        QCOMPARE(list->satisfied, (QList<FieldRuleList::Entry>{{21, kText21}}));
        QVERIFY(marks().isMarkedBy(edtIV_2_LPS_BROI, 21));
        QVERIFY(marks().isMarkedBy(rdpnlIV_2_LPS, 21));
        QCOMPARE(changed.size(), 0);

        // With marking, the same data clear them.
        QVERIFY(engine().CheckValidations(true, greshki));
        QVERIFY(marks().markedFields().isEmpty());
    }

    void violationTexts_data()
    {
        QTest::addColumn<QStringList>("unset");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("greshki");
        QTest::newRow("none violated") << QStringList() << true << QString();
        QTest::newRow("one violated") << QStringList{"IV_2_LPS_BROI"} << false << " - " + kText21;
        QTest::newRow("two violated, ascending codes")
            << QStringList{"IV_2_POVECHE_OT_1_LPS", "IV_2_LPS_BROI"} << false
            << " - " + kText21 + "\n\r\n\r - " + kText23;
    }
    void violationTexts()
    {
        QFETCH(QStringList, unset);
        load();
        makeSatisfying();
        for (const QString &c : unset)
            set(c, QVariant());

        QString greshki = QStringLiteral("left over from an earlier check");
        QTEST(engine().CheckValidations(false, greshki), "result");
        QTEST(greshki, "greshki");
    }

    void missingTextStillCounts()
    {
        exec(db(), QStringLiteral("delete from PRAVILA where PRAVILO_CODE = 23"));
        load();
        makeSatisfying();
        set(QStringLiteral("IV_2_POVECHE_OT_1_LPS"), QVariant());
        QString greshki;
        QVERIFY(!engine().CheckValidations(false, greshki));
        QCOMPARE(greshki, QStringLiteral(" - "));
    }

    void fieldListShowsViolatedFirst()
    {
        link(300, rdpnlIV_2_LPS);
        link(254, rdpnlIV_2_LPS);
        setText(300, QStringLiteral("Без условие"));
        load();
        set(QStringLiteral("IV_2_LPS"), 1);
        set(QStringLiteral("IV_2_LPS_BROI"), 5);

        const auto list = engine().RecheckFieldRules(rdpnlIV_2_LPS, false);
        QVERIFY(list.has_value());
        QCOMPARE(list->violated, (QList<FieldRuleList::Entry>{{23, kText23}}));
        QCOMPARE(
            list->satisfied,
            (QList<FieldRuleList::Entry>{{21, kText21}, {300, QStringLiteral("Без условие")}}));
        QVERIFY(marks().markedFields().isEmpty());
    }

    void fieldWithoutLinks_data()
    {
        QTest::addColumn<int>("field");
        QTest::newRow("no links") << 7;
        QTest::newRow("control without a code") << 0;
    }
    void fieldWithoutLinks()
    {
        QFETCH(int, field);
        exec(db(), QStringLiteral("delete from POLETA_PRAVILA where POLE_CODE = 7"));
        load();
        set(QStringLiteral("IV_2_LPS"), 1);
        engine().ValidateRule(21, true);
        const QList<int> before = marks().markedFields();

        const auto entering = engine().RecheckFieldRules(field, false);
        QVERIFY(entering.has_value());
        QVERIFY(entering->isEmpty());
        QVERIFY(!engine().RecheckFieldRules(field, true).has_value());
        QCOMPARE(marks().markedFields(), before);
    }

    void outOfRangeCodesAreSatisfied()
    {
        load();
        set(QStringLiteral("IV_2_LPS"), 1);
        for (int code : {0, -5, 335})
            QVERIFY(engine().ValidateRule(code, true));
        QVERIFY(marks().markedFields().isEmpty());
    }

    void rowsAreReadAsTheEditorHoldsThem()
    {
        load();
        set(QStringLiteral("IV_2_LPS"), 1);
        QVERIFY(!engine().ValidateRule(21, false));
        // Dropped edits are gone for the rules too.
        m_row1->cancel();
        QVERIFY(engine().ValidateRule(21, false));
        // Without rows nothing is answered "yes".
        engine().setDeclaration(nullptr, nullptr);
        QVERIFY(engine().ValidateRule(21, false));
    }
};

QTEST_GUILESS_MAIN(TestValidacii)
#include "tst_validacii.moc"
