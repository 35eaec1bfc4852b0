#include "fieldmarks.h"

#include <QSignalSpy>
#include <QTest>

using namespace kesp::rules;

class TestFieldMarks : public QObject
{
    Q_OBJECT

private slots:
    void ruleGoesToItsBitSet_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<bool>("secondSet");
        QTest::addColumn<int>("bit");
        QTest::newRow("first rule") << 1 << false << 1;
        QTest::newRow("last of the first set") << 254 << false << 254;
        QTest::newRow("first of the second set") << 255 << true << 0;
        QTest::newRow("last rule") << 334 << true << 79;
    }
    void ruleGoesToItsBitSet()
    {
        QFETCH(int, rule);
        QFETCH(bool, secondSet);
        QFETCH(int, bit);

        FieldMarks marks;
        marks.mark(135, rule, false);
        const FieldMarks::RuleBits set =
            secondSet ? marks.prPravilaNad255(135) : marks.prPravila(135);
        const FieldMarks::RuleBits other =
            secondSet ? marks.prPravila(135) : marks.prPravilaNad255(135);
        QCOMPARE(set.count(), size_t(1));
        QVERIFY(set.test(bit));
        QVERIFY(other.none());
        QVERIFY(marks.isMarked(135));
        QCOMPARE(marks.markingRules(135), QList<int>{rule});

        marks.mark(135, rule, true);
        QVERIFY(marks.prPravila(135).none() && marks.prPravilaNad255(135).none());
        QVERIFY(!marks.isMarked(135));
    }

    // A field stays marked until every rule that marked it is satisfied, whatever the order.
    void fieldStaysMarkedUntilEveryRuleIsSatisfied_data()
    {
        QTest::addColumn<QList<int>>("satisfyOrder");
        QTest::newRow("low rule first") << QList<int>{21, 300};
        QTest::newRow("high rule first") << QList<int>{300, 21};
    }
    void fieldStaysMarkedUntilEveryRuleIsSatisfied()
    {
        QFETCH(QList<int>, satisfyOrder);

        FieldMarks marks;
        QSignalSpy changed(&marks, &FieldMarks::markedChanged);
        marks.mark(19, 21, false);
        marks.mark(19, 300, false);
        // Only the turn from normal to marked is announced.
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0), (QVariantList{19, true}));

        marks.mark(19, satisfyOrder.at(0), true);
        QVERIFY(marks.isMarked(19));
        QCOMPARE(changed.size(), 1);

        marks.mark(19, satisfyOrder.at(1), true);
        QVERIFY(!marks.isMarked(19));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed.at(1), (QVariantList{19, false}));
    }

    void repeatedResultsAnnounceNothing()
    {
        FieldMarks marks;
        QSignalSpy changed(&marks, &FieldMarks::markedChanged);
        marks.mark(20, 21, true);
        QCOMPARE(changed.size(), 0);
        marks.mark(20, 21, false);
        marks.mark(20, 21, false);
        QCOMPARE(changed.size(), 1);
        // Other fields are not touched.
        QCOMPARE(marks.markedFields(), QList<int>{20});
    }

    void fieldCodeOutsideTheRangeIsAnInternalError_data()
    {
        QTest::addColumn<int>("field");
        QTest::newRow("no code") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("above the last field") << 377;
    }
    void fieldCodeOutsideTheRangeIsAnInternalError()
    {
        QFETCH(int, field);

        FieldMarks marks;
        marks.mark(376, 5, false);
        QSignalSpy changed(&marks, &FieldMarks::markedChanged);
        for (const bool satisfied : {false, true}) {
            try {
                marks.mark(field, 5, satisfied);
                QFAIL("no error");
            } catch (const InternalError &e) {
                QCOMPARE(e.message(), QStringLiteral("Възникна вътрешна грешка No 1А39"));
                // The letter is the Cyrillic capital A.
                QCOMPARE(e.message().at(e.message().size() - 3), QChar(0x0410));
            }
        }
        QCOMPARE(changed.size(), 0);
        QCOMPARE(marks.markedFields(), QList<int>{376});
    }

    void ruleCodeOutsideTheRangeChangesNothing()
    {
        FieldMarks marks;
        marks.mark(19, 0, false);
        marks.mark(19, 335, false);
        QVERIFY(!marks.isMarked(19));
    }
};

QTEST_GUILESS_MAIN(TestFieldMarks)
#include "tst_fieldmarks.moc"
