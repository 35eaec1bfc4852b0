#include "carryover.h"
#include "database.h"
#include "dialogs.h"
#include "rowsource.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QTest>

using namespace kesp;
using namespace kesp::storage;

namespace {
const QString kQuestion = QStringLiteral(
    "В системата има въведена декларация / уведомление зазадължено лице с този ЕИК / ЕГН. "
    "Желаете ли данните от нея да бъдат автоматично заредени в новия документ?");
}

class TestCarryOver : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;
    RecordingDialogs m_boxes;
    QSqlDatabase db() const { return m_dm->database(); }

    void declaration(int code, int type, int year, const QString &eik, const QString &saved, const QVariantMap &more = {})
    {
        QVariantMap row = more;
        row.insert(QStringLiteral("DEKLARACIA_CODE"), code);
        row.insert(QStringLiteral("DOCUMENT_TYPE"), type);
        row.insert(QStringLiteral("GODINA"), year);
        row.insert(QStringLiteral("I_EIK"), eik);
        row.insert(QStringLiteral("DEKLARACIA_DATA"), saved);
        insertRow(db(), QStringLiteral("DEKLARACIA"), row);
        if (type == 1)
            insertRow(db(), QStringLiteral("DEKLARACIA2"), {{QStringLiteral("DEKLARACIA_CODE"), code},
                                                             {QStringLiteral("P2_PRIL_E_POPULNENO"), true}});
    }
    // The new declaration as the editor writes it before the carry-over.
    void newDeclaration(int code)
    {
        insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), code},
                                                        {QStringLiteral("GODINA"), 2010},
                                                        {QStringLiteral("DOCUMENT_TYPE"), 1}});
        insertRow(db(), QStringLiteral("DEKLARACIA2"), {{QStringLiteral("DEKLARACIA_CODE"), code}});
    }
    QVariant value(const QString &table, int code, const QString &column)
    {
        return readRow(db(), table, code).value(column);
    }

private slots:
    void init()
    {
        m_boxes = RecordingDialogs();
        setDialogs(&m_boxes);
        m_dm = std::make_unique<TdmMain>(m_files.delivered());
    }
    void cleanup()
    {
        m_dm.reset();
        setDialogs(nullptr);
    }

    void nothingToCarry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("no such identifier") << "999999999";
        QTest::newRow("blank after the digits") << "123456789 ";
    }
    void nothingToCarry()
    {
        QFETCH(QString, typed);
        declaration(1, 1, 2009, QStringLiteral("123456789"), QStringLiteral("2010-01-01 10:00:00"));
        newDeclaration(2);
        QVERIFY(!ImportDeklaracia(db(), 2, typed));
        QVERIFY(m_boxes.shown.isEmpty());
        QCOMPARE(value(QStringLiteral("DEKLARACIA"), 2, QStringLiteral("I_EIK")).toString(), typed);
        QVERIFY(value(QStringLiteral("DEKLARACIA2"), 2, QStringLiteral("P2_PRIL_E_POPULNENO")).isNull());
        QVERIFY(!ImportDeklaracia(db(), 2, QString()));
    }

    void theEarliestDeclarationIsCopied()
    {
        declaration(1, 1, 2010, QStringLiteral("123456789"), QStringLiteral("2010-02-01 10:00:00"),
                    {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("По-нова ООД")}});
        declaration(2, 1, 2009, QStringLiteral("123456789"), QStringLiteral("2010-03-01 10:00:00"),
                    {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Стара ООД")},
                     {QStringLiteral("VHODIASHT_NOMER"), QStringLiteral("ВХ-17")},
                     {QStringLiteral("I_OBLAST_CODE"), 2},
                     {QStringLiteral("I_OBSHTINA_CODE"), 204},
                     {QStringLiteral("I_GRAD_CODE"), 7079},
                     {QStringLiteral("II_OBLAST_CODE"), 3},
                     {QStringLiteral("I_SAMOSTO_NAEMAT_RAB"), true}});
        for (int i = 1; i <= 3; ++i)
            insertRow(db(), QStringLiteral("P2_4_CAS"), {{QStringLiteral("DEKLARACIA_CODE"), 2},
                                                         {QStringLiteral("CAS_NOMER"), QStringLiteral("71-43-%1").arg(i)},
                                                         {QStringLiteral("CAS_HIM_AGENT"), QStringLiteral("агент %1").arg(i)},
                                                         {QStringLiteral("BROI"), i}});
        newDeclaration(3);
        m_boxes.answers = {Dialogs::Yes};

        QVERIFY(ImportDeklaracia(db(), 3, QStringLiteral("123456789")));
        QCOMPARE(m_boxes.texts(), QStringList({kQuestion}));
        const QVariantMap row = readRow(db(), QStringLiteral("DEKLARACIA"), 3);
        QCOMPARE(row.value(QStringLiteral("I_NAIMENOVANIE_UL")).toString(), QStringLiteral("Стара ООД"));
        QCOMPARE(row.value(QStringLiteral("GODINA")).toInt(), 2010);
        QCOMPARE(row.value(QStringLiteral("DOCUMENT_TYPE")).toInt(), 1);
        QVERIFY(row.value(QStringLiteral("VHODIASHT_NOMER")).isNull());
        QCOMPARE(row.value(QStringLiteral("I_SAMOSTO_NAEMAT_RAB")), QVariant(true));
        QCOMPARE(row.value(QStringLiteral("I_GRAD_CODE")).toInt(), 7079);
        QCOMPARE(row.value(QStringLiteral("II_OBLAST_CODE")).toInt(), 3);
        QVERIFY(row.value(QStringLiteral("II_GRAD_CODE")).isNull());
        QCOMPARE(value(QStringLiteral("DEKLARACIA2"), 3, QStringLiteral("P2_PRIL_E_POPULNENO")), QVariant(true));
        // New rows with new keys, the same texts and counts; the old ones untouched.
        QCOMPARE(scalar(db(), QStringLiteral("select group_concat(P1_CAS_CODE || ':' || CAS_HIM_AGENT || ':' || BROI, ' ') "
                                             "from P2_4_CAS where DEKLARACIA_CODE = 3")).toString(),
                 QStringLiteral("4:агент 1:1 5:агент 2:2 6:агент 3:3"));
        QCOMPARE(scalar(db(), QStringLiteral("select count(*) from P2_4_CAS where DEKLARACIA_CODE = 2")).toInt(), 3);
    }

    void aNotificationIsTheSourceWhenNoDeclarationExists()
    {
        declaration(1, 2, 2010, QStringLiteral("8001011234"), QStringLiteral("2010-02-01 10:00:00"),
                    {{QStringLiteral("I_IMENA_FL"), QStringLiteral("Петър Петров")},
                     {QStringLiteral("I_OBLAST_CODE"), 28},
                     {QStringLiteral("UVED_PREDSTAVLIAVASHT"), QStringLiteral("Петър Петров")}});
        newDeclaration(2);
        m_boxes.answers = {Dialogs::Yes};
        QVERIFY(ImportDeklaracia(db(), 2, QStringLiteral("8001011234")));
        const QVariantMap row = readRow(db(), QStringLiteral("DEKLARACIA"), 2);
        QCOMPARE(row.value(QStringLiteral("I_IMENA_FL")).toString(), QStringLiteral("Петър Петров"));
        QCOMPARE(row.value(QStringLiteral("I_OBLAST_CODE")).toInt(), 28);
        QCOMPARE(row.value(QStringLiteral("DOCUMENT_TYPE")).toInt(), 1);
        QVERIFY(row.value(QStringLiteral("UVED_PREDSTAVLIAVASHT")).isNull());
        // No province in the source: none in the copy, not a 0 that would pass as filled.
        QVERIFY(row.value(QStringLiteral("I_GRAD_CODE")).isNull());
    }

    void answeringNoGivesOnlyTheIdentifier()
    {
        declaration(1, 1, 2009, QStringLiteral("123456789"), QStringLiteral("2010-01-01 10:00:00"),
                    {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Стара ООД")}});
        newDeclaration(2);
        m_boxes.answers = {Dialogs::No};
        QVERIFY(!ImportDeklaracia(db(), 2, QStringLiteral("123456789")));
        QCOMPARE(value(QStringLiteral("DEKLARACIA"), 2, QStringLiteral("I_EIK")).toString(), QStringLiteral("123456789"));
        QVERIFY(value(QStringLiteral("DEKLARACIA"), 2, QStringLiteral("I_NAIMENOVANIE_UL")).isNull());
    }

    void aNotificationTakesTheSignerAndKeepsEmptyPlacesEmpty()
    {
        declaration(1, 1, 2009, QStringLiteral("123456789"), QStringLiteral("2010-01-01 10:00:00"),
                    {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Стара ООД")},
                     {QStringLiteral("I_OBLAST_CODE"), 5}});
        insertRow(db(), QStringLiteral("I_UPRAVLIAVASHTI"), {{QStringLiteral("DEKLARACIA_CODE"), 1},
                                                            {QStringLiteral("IMENA"), QStringLiteral("Не подписва")},
                                                            {QStringLiteral("IS_PODAVASHT"), false}});
        insertRow(db(), QStringLiteral("I_UPRAVLIAVASHTI"), {{QStringLiteral("DEKLARACIA_CODE"), 1},
                                                            {QStringLiteral("IMENA"), QStringLiteral("Мария Колева")},
                                                            {QStringLiteral("IS_PODAVASHT"), true}});
        RowSource notification(db(), QStringLiteral("DEKLARACIA"));
        notification.setSql(QStringLiteral("select * from DEKLARACIA where DEKLARACIA_CODE = -1"));
        notification.open();
        notification.append();
        m_boxes.answers = {Dialogs::Yes};
        ImportUvedomlenie(db(), notification, QStringLiteral("123456789"));
        QVERIFY(m_boxes.texts().first().contains(QStringLiteral("уведомление за задължено лице")));
        QCOMPARE(notification.value(QStringLiteral("I_NAIMENOVANIE_UL")).toString(), QStringLiteral("Стара ООД"));
        QCOMPARE(notification.value(QStringLiteral("UVED_PREDSTAVLIAVASHT")).toString(), QStringLiteral("Мария Колева"));
        QCOMPARE(notification.value(QStringLiteral("I_OBLAST_CODE")).toInt(), 5);
        QVERIFY(notification.value(QStringLiteral("I_GRAD_CODE")).isNull());
        QCOMPARE(notification.value(QStringLiteral("GODINA")).toInt(), 2010);
    }
};

QTEST_GUILESS_MAIN(TestCarryOver)
#include "tst_carryover.moc"
