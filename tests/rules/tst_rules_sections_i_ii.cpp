#include "database.h"
#include "opendeclaration.h"
#include "rowsource.h"
#include "ruletable.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"
#include "testdb.h"

#include <QTest>

#include <algorithm>

using namespace kesp;
using namespace kesp::rules;
using namespace kesp::storage;

namespace {

// Field codes of the controls the rules of the two sections mark.
constexpr int edtIImeUL = 1;
constexpr int edtIImenaFL = 2;
constexpr int edtI_EIK = 3;
constexpr int cbIOblast = 4;
constexpr int lcb_I_OBSHTINA = 5;
constexpr int cbIGrad = 6;
constexpr int cbIIOblast = 7;
constexpr int lcb_II_OBSHTINA = 8;
constexpr int edtIINaimenovanie = 9;
constexpr int cbIIGrad = 10;
constexpr int edtISedalishtePK = 11;
constexpr int edtIIPK = 12;
constexpr int edtIILKdlajnost = 13;
constexpr int edtIILKTelefon = 14;
constexpr int edtIILKIme = 15;
constexpr int grII_PERSONAL_BROI = 16;
constexpr int edtIIObshtoNaeti = 17;
constexpr int grdIIKID = 35;
constexpr int grdIIPoddelenia = 78;
constexpr int edtII_MESTA_ZA_TRUDUOST = 79;
constexpr int edtII_ZAETI_TRUDOUST = 80;
constexpr int edtII_MESTA_S_TU = 81;
constexpr int edtII_NAETI_M = 82;
constexpr int edtII_NAETI_J = 83;
constexpr int edtII_NAETI_SROCHNO_J = 86;
constexpr int edtII_NAETI_TNR_O = 87;
constexpr int edtII_NAETI_TNR_M = 88;
constexpr int edtII_NAETI_TNR_J = 89;
constexpr int edtII_NAETI_POD25_O = 93;
constexpr int edtII_NAETI_POD25_M = 94;
constexpr int edtII_NAETI_ES_J = 98;
constexpr int edtII_NAETI_DR_DARJ_M = 100;
constexpr int edtII_NAETI_DR_LICE_O = 105;
constexpr int edtII_NAETI_DR_LICE_M = 106;
constexpr int edtII_NAETI_DR_LICE_J = 107;
constexpr int edtII_NAETI_O = 108;
constexpr int edtII_TRUDOUST_BREMENNI = 109;
constexpr int ChkISamostoiatelnoNaemane = 138;
constexpr int chkIZaemaniRab = 139;
constexpr int edtILKIme = 140;
constexpr int edtILKDlajnost = 141;
constexpr int edtILKTelefon = 142;
constexpr int edtGodina = 165;
constexpr int grdUpravliavashti = 166;
constexpr int edtIJK = 190;
constexpr int edtIStreet = 191;
constexpr int edtIIJK = 192;
constexpr int edtIIUlica = 193;
constexpr int edtIUlicaNo = 194;
constexpr int edtIBlok = 195;

// Identifiers that pass their checks.
const QString kEik9 = QStringLiteral("175012341");
const QString kEgn = QStringLiteral("7512151236");
const QString kLnch = QStringLiteral("1002003008");

const QString kText117 = QStringLiteral(
    "Раздел І, т. 1 - Стойността на полето \"Година\" трябва да бъде между не по-малка от 2009 "
    "и не по-голяма от 2020.");

const QString kManagers = QStringLiteral("I_UPRAVLIAVASHTI");
const QString kActivities = QStringLiteral("II_KID");
const QString kSubdivisions = QStringLiteral("II_PODRAZDELENIEA");

constexpr int kDocument = 1;
constexpr int kOtherDocument = 2;
constexpr int kBuilding = 501;
constexpr int kRetail = 702;

// A declaration of a limited company that every rule of the two sections accepts.
QVariantMap satisfyingValues()
{
    return {
        {"GODINA", 2010},
        {"I_SAMOSTO_NAEMAT_RAB", true},
        {"I_NAIMENOVANIE_UL", "Строй Инвест ООД"},
        {"I_EIK", kEik9},
        {"I_OBLAST_CODE", 22},
        {"I_OBSHTINA_CODE", 2246},
        {"I_GRAD_CODE", 68134},
        {"I_POSHTENSKI_KOD", 1000},
        {"I_ULICA", "Витоша"},
        {"I_ULICA_NOMER", "15"},
        {"I_LK_IMENA", "Петя Георгиева Колева"},
        {"I_LK_DLAJNOST", "Технически сътрудник"},
        {"I_LK_TEL_FAKS", "02 981 00 00"},
        {"II_NAIMENOVANIE", "Строй Инвест ООД"},
        {"II_OBLAST_CODE", 22},
        {"II_OBSHTINA_CODE", 2246},
        {"II_GRAD_CODE", 68134},
        {"II_POSHTENSKI_KOD", 1000},
        {"II_ULICA", "Витоша"},
        {"II_RAKOVODITEL_IMENA", "Иван Петров Иванов"},
        {"II_RAKOVODITEL_DLAJNOST", "Управител"},
        {"II_RAKOVODITEL_TELEFON", "02 981 00 01"},
        {"II_PERSONAL_BROI", 2},
        {"II_NAETI_LICA", 15},
        {"II_NAETI_O", 10},
        {"II_NAETI_M", 6},
        {"II_NAETI_J", 4},
        {"II_NAETI_SROCHNO_O", 2},
        {"II_NAETI_SROCHNO_M", 1},
        {"II_NAETI_SROCHNO_J", 1},
        {"II_NAETI_DR_LICE_O", 5},
        {"II_NAETI_DR_LICE_M", 3},
        {"II_NAETI_DR_LICE_J", 2},
    };
}

QVariantMap manager(const QVariant &tip, bool files)
{
    return {{"IMENA", "Иван Петров Иванов"},
            {"DLAJNOST", "Управител"},
            {"TIP_DLAJNOST", tip},
            {"IS_PODAVASHT", files}};
}

QVariantMap activity(int kid, int document = kDocument)
{
    return {{"DEKLARACIA_CODE", document},
            {"KID_CODE", kid},
            {"KID_KOD", "41.20"},
            {"KID_TEKST", "Строителство на жилищни и нежилищни сгради"}};
}

QVariantMap subdivision(const QVariant &kid)
{
    return {{"NAIMENOVANIE", "Склад Враждебна"}, {"BROI_NAETI_LICA", 3}, {"KID_CODE", kid}};
}

QVariantMap satisfyingDetails()
{
    return {{kManagers, QVariantList{manager(3, true)}},
            {kActivities, QVariantList{activity(kBuilding)}},
            {kSubdivisions, QVariantList{}}};
}

QList<int> sorted(QList<int> list)
{
    std::sort(list.begin(), list.end());
    return list;
}

// Every count of item 10 and its grand total.
QStringList itemTenColumns()
{
    QStringList columns{QStringLiteral("II_NAETI_LICA")};
    for (const char *group : {"II_NAETI_",
                              "II_NAETI_SROCHNO_",
                              "II_NAETI_TNR_",
                              "II_NAETI_NAD55_",
                              "II_NAETI_POD25_",
                              "II_NAETI_ES_",
                              "II_NAETI_DR_DARJ_",
                              "II_NAETI_EIP_",
                              "II_NAETI_DR_LICE_"})
        for (const char *part : {"O", "M", "J"})
            columns << QLatin1String(group) + QLatin1String(part);
    return columns;
}

} // namespace

class TestRulesSectionsIAndII : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;
    std::unique_ptr<RowSource> m_row1;
    std::unique_ptr<RowSource> m_row2;
    std::unique_ptr<TdmValidacii> m_engine;

    QSqlDatabase db() const { return m_dm->database(); }

    void set(const QString &column, const QVariant &value)
    {
        (m_row1->hasField(column) ? *m_row1 : *m_row2).setValue(column, value);
    }

    static QList<int> ownCodes()
    {
        QList<int> codes;
        for (const RuleRow &r : rulesOfSectionsIAndII())
            codes << r.code;
        return sorted(codes);
    }

private slots:
    void init()
    {
        m_dm = std::make_unique<TdmMain>(m_files.delivered());
        for (int code : {kDocument, kOtherDocument}) {
            exec(db(),
                 QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (?)"),
                 {code});
            exec(db(),
                 QStringLiteral("insert into DEKLARACIA2 (DEKLARACIA_CODE) values (?)"),
                 {code});
        }
        m_row1 = test::openDeclarationRow(db(), QStringLiteral("DEKLARACIA"), kDocument);
        m_row2 = test::openDeclarationRow(db(), QStringLiteral("DEKLARACIA2"), kDocument);
        m_engine = std::make_unique<TdmValidacii>(db());
        m_engine->setDeclaration(m_row1.get(), m_row2.get());
        m_engine->UpdatePravila();
        m_engine->UpdatePoletaPravila();
    }
    void cleanup()
    {
        m_engine.reset();
        m_row2.reset();
        m_row1.reset();
        m_dm.reset();
    }

    void declarations_data()
    {
        QTest::addColumn<QVariantMap>("values");  // changes to the satisfying declaration
        QTest::addColumn<QVariantMap>("details"); // lists that replace the satisfying ones
        QTest::addColumn<QList<int>>("violated");
        QTest::addColumn<QList<int>>("marked");

        const QVariant null;
        const QList<int> none;
        const QList<int> names{edtIImeUL, edtIImenaFL, edtI_EIK};
        const QVariantMap same;
        auto naturalPerson = [&](const QVariant &id, bool foreigner) {
            return QVariantMap{{"I_NAIMENOVANIE_UL", null},
                               {"I_IMENA_FL", "Иван Петров Иванов"},
                               {"IS_CHUJDENEC", foreigner},
                               {"I_EIK", id}};
        };

        QTest::newRow("all satisfied") << same << same << none << none;

        // Who the obliged person is and the identifier that fits.
        QTest::newRow("both names") << QVariantMap{{"I_IMENA_FL", "Иван Петров Иванов"}} << same
                                    << QList<int>{1, 115} << names;
        QTest::newRow("no name") << QVariantMap{{"I_NAIMENOVANIE_UL", "   "}} << same
                                 << QList<int>{1, 115} << names;
        QTest::newRow("natural person, company number")
            << naturalPerson(kEik9, false) << same << none << none;
        QTest::newRow("foreigner, company number")
            << naturalPerson(kEik9, true) << same << QList<int>{115} << names;
        QTest::newRow("natural person, personal number")
            << naturalPerson(kEgn, false) << same << none << none;
        QTest::newRow("natural person, foreigner's number")
            << naturalPerson(kLnch, false) << same << QList<int>{115} << names;
        QTest::newRow("foreigner, foreigner's number")
            << naturalPerson(kLnch, true) << same << none << none;
        QTest::newRow("legal entity, personal number")
            << QVariantMap{{"I_EIK", kEgn}} << same << QList<int>{115} << names;
        QTest::newRow("company number with a wrong check digit")
            << QVariantMap{{"I_EIK", "175012342"}} << same << QList<int>{115} << names;
        QTest::newRow("company number with blanks around")
            << QVariantMap{{"I_EIK", " " + kEik9 + " "}} << same << none << none;
        QTest::newRow("no identifier")
            << QVariantMap{{"I_EIK", null}} << same << QList<int>{3, 115} << names;
        QTest::newRow("hires nobody in either way")
            << QVariantMap{{"I_SAMOSTO_NAEMAT_RAB", false}, {"I_ZAEMANI_RABOTNICI", null}} << same
            << QList<int>{99} << QList<int>{ChkISamostoiatelnoNaemane, chkIZaemaniRab};
        QTest::newRow("uses agency workers only")
            << QVariantMap{{"I_SAMOSTO_NAEMAT_RAB", false}, {"I_ZAEMANI_RABOTNICI", true}} << same
            << none << none;

        // The year.
        for (int year : {2009, 2010, 2020})
            QTest::addRow("year %d", year) << QVariantMap{{"GODINA", year}} << same << none << none;
        for (int year : {2008, 2021})
            QTest::addRow("year %d", year) << QVariantMap{{"GODINA", year}} << same
                                           << QList<int>{117} << QList<int>{edtGodina};
        QTest::newRow("no year") << QVariantMap{{"GODINA", null}} << same << QList<int>{116, 117}
                                 << QList<int>{edtGodina};

        // Fields that must be filled, one at a time.
        const struct
        {
            const char *column;
            int rule;
            int field;
        } required[] = {
            {"I_OBLAST_CODE", 4, cbIOblast},
            {"I_OBSHTINA_CODE", 5, lcb_I_OBSHTINA},
            {"I_GRAD_CODE", 6, cbIGrad},
            {"I_POSHTENSKI_KOD", 11, edtISedalishtePK},
            {"I_LK_IMENA", 100, edtILKIme},
            {"I_LK_DLAJNOST", 101, edtILKDlajnost},
            {"I_LK_TEL_FAKS", 102, edtILKTelefon},
            {"II_NAIMENOVANIE", 9, edtIINaimenovanie},
            {"II_OBLAST_CODE", 7, cbIIOblast},
            {"II_OBSHTINA_CODE", 8, lcb_II_OBSHTINA},
            {"II_GRAD_CODE", 10, cbIIGrad},
            {"II_POSHTENSKI_KOD", 12, edtIIPK},
            {"II_RAKOVODITEL_IMENA", 16, edtIILKIme},
            {"II_RAKOVODITEL_DLAJNOST", 14, edtIILKdlajnost},
            {"II_RAKOVODITEL_TELEFON", 15, edtIILKTelefon},
            {"II_PERSONAL_BROI", 17, grII_PERSONAL_BROI},
        };
        for (const auto &r : required)
            QTest::addRow("no %s", r.column) << QVariantMap{{r.column, null}} << same
                                             << QList<int>{r.rule} << QList<int>{r.field};
        QTest::newRow("blank name of the head") << QVariantMap{{"II_RAKOVODITEL_IMENA", "  "}}
                                                << same << QList<int>{16} << QList<int>{edtIILKIme};

        // One of two address parts.
        QTest::newRow("seat without estate and street")
            << QVariantMap{{"I_ULICA", null}} << same << QList<int>{144}
            << QList<int>{edtIJK, edtIStreet};
        QTest::newRow("seat in an estate")
            << QVariantMap{{"I_ULICA", null}, {"I_JILISHTEN_KOMPLEKS", "Младост 1"}} << same << none
            << none;
        QTest::newRow("seat without number and block")
            << QVariantMap{{"I_ULICA_NOMER", " "}} << same << QList<int>{146}
            << QList<int>{edtIUlicaNo, edtIBlok};
        QTest::newRow("seat in a block")
            << QVariantMap{{"I_ULICA_NOMER", null}, {"I_BLOK_NO", "12А"}} << same << none << none;
        QTest::newRow("enterprise without estate and street")
            << QVariantMap{{"II_ULICA", null}} << same << QList<int>{145}
            << QList<int>{edtIIJK, edtIIUlica};

        // Managers and representatives.
        QTest::newRow("no managers") << same << QVariantMap{{kManagers, QVariantList{}}}
                                     << QList<int>{118, 197} << QList<int>{grdUpravliavashti};
        QTest::newRow("two managers, no representative")
            << same << QVariantMap{{kManagers, QVariantList{manager(1, true), manager(1, false)}}}
            << QList<int>{118} << QList<int>{grdUpravliavashti};
        QTest::newRow("a manager and a representative")
            << same << QVariantMap{{kManagers, QVariantList{manager(1, false), manager(2, true)}}}
            << none << none;
        QTest::newRow("a representative and a row without kind")
            << same
            << QVariantMap{{kManagers, QVariantList{manager(null, true), manager(2, false)}}}
            << QList<int>{118} << QList<int>{grdUpravliavashti};
        QTest::newRow("nobody files")
            << same << QVariantMap{{kManagers, QVariantList{manager(3, false)}}} << QList<int>{197}
            << QList<int>{grdUpravliavashti};

        // Activities and subdivisions.
        const QList<int> bothGrids{grdIIKID, grdIIPoddelenia};
        QTest::newRow("no activities") << same << QVariantMap{{kActivities, QVariantList{}}}
                                       << QList<int>{13} << QList<int>{grdIIKID};
        QTest::newRow("subdivision in a listed activity")
            << same << QVariantMap{{kSubdivisions, QVariantList{subdivision(kBuilding)}}} << none
            << none;
        QTest::newRow("subdivision in an activity not listed")
            << same
            << QVariantMap{{kSubdivisions,
                            QVariantList{subdivision(kBuilding), subdivision(kRetail)}}}
            << QList<int>{334} << bothGrids;
        QTest::newRow("subdivision without activity")
            << same << QVariantMap{{kSubdivisions, QVariantList{subdivision(null)}}}
            << QList<int>{334} << bothGrids;
        QTest::newRow("activity listed by another declaration only")
            << same
            << QVariantMap{{kActivities,
                            QVariantList{activity(kBuilding), activity(kRetail, kOtherDocument)}},
                           {kSubdivisions, QVariantList{subdivision(kRetail)}}}
            << QList<int>{334} << bothGrids;
        QTest::newRow("subdivision but no activities")
            << same
            << QVariantMap{{kActivities, QVariantList{}},
                           {kSubdivisions, QVariantList{subdivision(kBuilding)}}}
            << QList<int>{13, 334} << bothGrids;

        // Item 10.
        QVariantMap allEmpty;
        for (const QString &c : itemTenColumns())
            allEmpty.insert(c, null);
        QTest::newRow("all of item 10 empty")
            << allEmpty << same << QList<int>{18} << QList<int>{edtIIObshtoNaeti};
        QTest::newRow("item 10.2 of 2 women and 3 men is 5")
            << QVariantMap{{"II_NAETI_DR_LICE_J", 2},
                           {"II_NAETI_DR_LICE_M", 3},
                           {"II_NAETI_DR_LICE_O", 5}}
            << same << none << none;
        QTest::newRow("item 10.2 of 2 women and 3 men is not 4")
            << QVariantMap{{"II_NAETI_DR_LICE_J", 2},
                           {"II_NAETI_DR_LICE_M", 3},
                           {"II_NAETI_DR_LICE_O", 4},
                           {"II_NAETI_LICA", 14}}
            << same << QList<int>{68}
            << QList<int>{edtII_NAETI_DR_LICE_O, edtII_NAETI_DR_LICE_M, edtII_NAETI_DR_LICE_J};
        QTest::newRow("grand total is not 10.1 plus 10.2")
            << QVariantMap{{"II_NAETI_LICA", 16}} << same << QList<int>{69}
            << QList<int>{edtIIObshtoNaeti, edtII_NAETI_O, edtII_NAETI_DR_LICE_O};
        QTest::newRow("item 10.1 men and women do not add up")
            << QVariantMap{{"II_NAETI_M", 7}} << same << QList<int>{60}
            << QList<int>{edtII_NAETI_O, edtII_NAETI_M, edtII_NAETI_J};
        QTest::newRow("subgroup equal to the whole")
            << QVariantMap{{"II_NAETI_EIP_O", 10}, {"II_NAETI_EIP_M", 6}, {"II_NAETI_EIP_J", 4}}
            << same << none << none;
        QTest::newRow("more women in a subgroup than in the whole")
            << QVariantMap{{"II_NAETI_ES_O", 5}, {"II_NAETI_ES_J", 5}} << same << QList<int>{311}
            << QList<int>{edtII_NAETI_J, edtII_NAETI_ES_J};
        QTest::newRow("more men in a subgroup than in the whole")
            << QVariantMap{{"II_NAETI_DR_DARJ_O", 7}, {"II_NAETI_DR_DARJ_M", 7}} << same
            << QList<int>{320} << QList<int>{edtII_NAETI_M, edtII_NAETI_DR_DARJ_M};
        QTest::newRow("subgroup total above the whole and not adding up")
            << QVariantMap{{"II_NAETI_TNR_O", 11}, {"II_NAETI_TNR_M", 6}, {"II_NAETI_TNR_J", 4}}
            << same << QList<int>{62, 226}
            << QList<int>{edtII_NAETI_O, edtII_NAETI_TNR_O, edtII_NAETI_TNR_M, edtII_NAETI_TNR_J};
        QTest::newRow("subgroup filled, whole empty")
            << QVariantMap{{"II_NAETI_O", null},
                           {"II_NAETI_M", null},
                           {"II_NAETI_J", null},
                           {"II_NAETI_SROCHNO_O", null},
                           {"II_NAETI_SROCHNO_M", null},
                           {"II_NAETI_SROCHNO_J", null},
                           {"II_NAETI_LICA", 5},
                           {"II_NAETI_POD25_O", 1},
                           {"II_NAETI_POD25_M", 1}}
            << same << QList<int>{228, 317}
            << QList<int>{edtII_NAETI_M, edtII_NAETI_POD25_O, edtII_NAETI_POD25_M, edtII_NAETI_O};

        // Item 11.
        const QVariantMap placesFilled{{"II_MESTA_ZA_TRUDUOST", 5},
                                       {"II_ZAETI_TRUDOUST", 5},
                                       {"II_MESTA_S_TU", 3},
                                       {"II_TRUDOUST_BREMENNI", 2}};
        QTest::newRow("places within those set aside") << placesFilled << same << none << none;
        const struct
        {
            const char *column;
            int rule;
            int field;
        } places[] = {
            {"II_ZAETI_TRUDOUST", 57, edtII_ZAETI_TRUDOUST},
            {"II_MESTA_S_TU", 58, edtII_MESTA_S_TU},
            {"II_TRUDOUST_BREMENNI", 70, edtII_TRUDOUST_BREMENNI},
        };
        for (const auto &p : places) {
            QVariantMap values = placesFilled;
            values.insert(p.column, 6);
            QTest::addRow("%s above the places set aside", p.column)
                << values << same << QList<int>{p.rule}
                << QList<int>{edtII_MESTA_ZA_TRUDUOST, p.field};
            QTest::addRow("%s without places set aside", p.column)
                << QVariantMap{{p.column, 1}} << same << QList<int>{p.rule}
                << QList<int>{edtII_MESTA_ZA_TRUDUOST, p.field};
        }
    }
    void declarations()
    {
        QFETCH(QVariantMap, values);
        QFETCH(QVariantMap, details);
        QFETCH(QList<int>, violated);
        QFETCH(QList<int>, marked);

        QVariantMap row = satisfyingValues();
        row.insert(values);
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            set(it.key(), it.value());
        QVariantMap lists = satisfyingDetails();
        lists.insert(details);
        for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
            for (const QVariant &v : it.value().toList()) {
                QVariantMap detail = v.toMap();
                if (!detail.contains(QStringLiteral("DEKLARACIA_CODE")))
                    detail.insert(QStringLiteral("DEKLARACIA_CODE"), kDocument);
                insertRow(db(), it.key(), detail);
            }
        }

        QList<int> found;
        for (int code : ownCodes())
            if (!m_engine->ValidateRule(code, true))
                found << code;
        QCOMPARE(found, sorted(violated));
        QCOMPARE(sorted(m_engine->fieldMarks().markedFields()), sorted(marked));
        // Marks name the rule that set them; evaluating without marking agrees.
        for (int code : violated) {
            QVERIFY(!m_engine->ValidateRule(code, false));
            for (int field : m_engine->fieldsMarkedBy(code))
                QVERIFY2(m_engine->fieldMarks().isMarkedBy(field, code),
                         qPrintable(QStringLiteral("rule %1, field %2").arg(code).arg(field)));
        }
    }

    // Every rule of the table is known to the user by a text and to the editor by its fields.
    void everyRuleHasTextAndFields()
    {
        const QList<int> codes = ownCodes();
        QVERIFY(!codes.isEmpty());
        for (int code : codes) {
            const QString where = QStringLiteral("rule %1").arg(code);
            QVERIFY2(TdmValidacii::hasCondition(code), qPrintable(where));
            const QString text = m_engine->pravilo(code).InfoText;
            // Section numbers in Cyrillic, as every text of the catalogue writes them.
            QVERIFY2(text.startsWith(QStringLiteral("Раздел І, т. ")) ||
                         text.startsWith(QStringLiteral("Раздел ІІ, т. ")),
                     qPrintable(where + QStringLiteral(": ") + text));
            QVERIFY2(text.size() <= 255 && !text.contains(QLatin1Char('\'')), qPrintable(where));

            const QList<int> fields = m_engine->fieldsMarkedBy(code);
            QVERIFY2(!fields.isEmpty(), qPrintable(where));
            for (int field : fields) {
                QVERIFY2(m_engine->rulesOfField(field).contains(code), qPrintable(where));
                QVERIFY2(!m_engine->fieldName(field).isEmpty(),
                         qPrintable(where + QStringLiteral(", field %1").arg(field)));
            }
        }
        QCOMPARE(m_engine->pravilo(117).InfoText, kText117);
    }

    // Entering the year lists its two rules, the violated one first.
    void yearFieldListsItsRules()
    {
        set(QStringLiteral("GODINA"), 2021);
        const auto list = m_engine->RecheckFieldRules(edtGodina, false);
        QVERIFY(list.has_value());
        QCOMPARE(list->violated, (QList<FieldRuleList::Entry>{{117, kText117}}));
        QCOMPARE(list->satisfied.size(), 1);
        QCOMPARE(list->satisfied.first().rule, 116);
        QVERIFY(m_engine->fieldMarks().markedFields().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRulesSectionsIAndII)
#include "tst_rules_sections_i_ii.moc"
