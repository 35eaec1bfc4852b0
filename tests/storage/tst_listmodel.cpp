#include "database.h"
#include "listmodel.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QTest>

using namespace kesp;
using namespace kesp::storage;
using Op = FilterCondition::Op;

class TestListModel : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;

    QStringList shown(const ListModel &m, const QString &field)
    {
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r)
            out << m.value(r, field).toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        m_dm = std::make_unique<TdmMain>(m_files.delivered());
        const char *names[] = {"София", "Стъкларски завод „Бяло поле“", "о'Брайън и синове", "100% Био ООД",
                               "АБВ_Строй", "абв строй", "Ямбол-Инвест"};
        int code = 0;
        for (const char *n : names)
            exec(m_dm->database(),
                 QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, I_NAIMENOVANIE_UL, I_EIK, GODINA) values (?, ?, ?, ?)"),
                 {++code, QString::fromUtf8(n), QStringLiteral("12345%1").arg(code), 2009 + code % 2});
    }
    void cleanupTestCase() { m_dm.reset(); }

    void filters_data()
    {
        QTest::addColumn<QList<FilterCondition>>("filter");
        QTest::addColumn<QStringList>("names");
        using C = QList<FilterCondition>;
        QTest::newRow("no filter") << C{} << QStringList{"София", "Стъкларски завод „Бяло поле“", "о'Брайън и синове", "100% Био ООД", "АБВ_Строй", "абв строй", "Ямбол-Инвест"};
        QTest::newRow("Cyrillic ignores case") << C{{"I_NAIMENOVANIE_UL", Op::Contains, "софия"}} << QStringList{"София"};
        QTest::newRow("quote is a character") << C{{"I_NAIMENOVANIE_UL", Op::Contains, "о'бра"}} << QStringList{"о'Брайън и синове"};
        QTest::newRow("percent is a character") << C{{"I_NAIMENOVANIE_UL", Op::Contains, "%"}} << QStringList{"100% Био ООД"};
        QTest::newRow("underscore is a character") << C{{"I_NAIMENOVANIE_UL", Op::Contains, "абв_"}} << QStringList{"АБВ_Строй"};
        QTest::newRow("prefix") << C{{"I_EIK", Op::StartsWith, "123457"}} << QStringList{"Ямбол-Инвест"};
        QTest::newRow("all together") << C{{"GODINA", Op::Equals, 2010}, {"I_NAIMENOVANIE_UL", Op::Contains, "С"}} << QStringList{"София", "о'Брайън и синове", "АБВ_Строй", "Ямбол-Инвест"};
        QTest::newRow("nothing") << C{{"GODINA", Op::Equals, 2030}} << QStringList{};
    }
    void filters()
    {
        QFETCH(QList<FilterCondition>, filter);
        QFETCH(QStringList, names);
        ListModel m(m_dm->database());
        m.setSql(QStringLiteral("select * from DEKLARACIA order by DEKLARACIA_CODE"));
        m.open();
        m.setFilter(filter);
        QCOMPARE(shown(m, QStringLiteral("I_NAIMENOVANIE_UL")), names);
        QCOMPARE(m.isEmpty(), names.isEmpty());
    }

    void sortsByOneColumnInBulgarianOrder()
    {
        ListModel m(m_dm->database());
        m.setSql(QStringLiteral("select * from OBLASTI where OBLAST_CODE in (1, 2, 28, 22, 9) order by OBLAST_CODE"));
        m.setColumns({{QStringLiteral("NAIMENOVANIE"), QStringLiteral("Област")}});
        m.open();
        const QStringList queryOrder = shown(m, QStringLiteral("NAIMENOVANIE"));
        m.sort(0, Qt::AscendingOrder);
        QStringList asc = shown(m, QStringLiteral("NAIMENOVANIE"));
        QCOMPARE(asc.first(), QStringLiteral("Благоевград"));
        QCOMPARE(asc.last(), QStringLiteral("Ямбол"));
        m.sort(0, Qt::DescendingOrder);
        std::reverse(asc.begin(), asc.end());
        QCOMPARE(shown(m, QStringLiteral("NAIMENOVANIE")), asc);
        m.sort(-1, Qt::AscendingOrder);
        QCOMPARE(shown(m, QStringLiteral("NAIMENOVANIE")), queryOrder);
        QCOMPARE(m.rowOfValue(QStringLiteral("OBLAST_CODE"), 28), 4);
    }

    void caseDoesNotSplitTheOrder()
    {
        QCOMPARE(ListModel::compareText(QStringLiteral("абв"), QStringLiteral("АБВ")), 0);
        QVERIFY(ListModel::compareText(QStringLiteral("абв"), QStringLiteral("Бургас")) < 0);
        QVERIFY(ListModel::compareText(QStringLiteral("Ямбол"), QStringLiteral("бургас")) > 0);
    }
};

QTEST_GUILESS_MAIN(TestListModel)
#include "tst_listmodel.moc"
