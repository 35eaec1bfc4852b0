#include "database.h"
#include "datasetroutines.h"
#include "dialogs.h"
#include "errors.h"
#include "listmodel.h"
#include "rowsource.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QSignalSpy>
#include <QTest>

using namespace kesp;
using namespace kesp::storage;

class TestRowSource : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;
    QSqlDatabase db() const { return m_dm->database(); }

    std::unique_ptr<RowSource> declaration(int code)
    {
        auto rows = std::make_unique<RowSource>(db(), QStringLiteral("DEKLARACIA"));
        rows->setSql(QStringLiteral("select * from DEKLARACIA where DEKLARACIA_CODE = :PK_CODE"));
        rows->setParam(QStringLiteral("PK_CODE"), code);
        rows->open();
        return rows;
    }

private slots:
    void init() { m_dm = std::make_unique<TdmMain>(m_files.delivered()); }
    void cleanup() { m_dm.reset(); }

    void insertEditCancelRoundTrip()
    {
        auto rows = declaration(1);
        QVERIFY(rows->isEmpty());
        rows->append();
        QCOMPARE(rows->state(), RowSource::State::Insert);
        rows->setValue(QStringLiteral("DEKLARACIA_CODE"), 1);
        rows->setValue(QStringLiteral("GODINA"), QStringLiteral("2010"));
        rows->setValue(QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Стъклени изделия ООД"));
        rows->setValue(QStringLiteral("I_SAMOSTO_NAEMAT_RAB"), true);
        QVERIFY(rows->isModified());
        rows->post();
        QCOMPARE(rows->state(), RowSource::State::Browse);
        QVERIFY(!rows->isModified());

        // Typed the way the column stores it, whatever was given.
        QCOMPARE(rows->value(QStringLiteral("GODINA")), QVariant(2010));
        RefreshQuery(*rows);
        QCOMPARE(rows->rowCount(), 1);
        QCOMPARE(rows->value(QStringLiteral("I_NAIMENOVANIE_UL")).toString(), QStringLiteral("Стъклени изделия ООД"));
        QCOMPARE(rows->value(QStringLiteral("I_SAMOSTO_NAEMAT_RAB")), QVariant(true));

        // Setting a value while browsing starts an edit; cancel drops it.
        rows->setValue(QStringLiteral("GODINA"), 2011);
        QCOMPARE(rows->state(), RowSource::State::Edit);
        rows->cancel();
        QCOMPARE(rows->value(QStringLiteral("GODINA")), QVariant(2010));
        RefreshQuery(*rows);
        QCOMPARE(rows->value(QStringLiteral("GODINA")), QVariant(2010));

        // Only the changed column is written: another writer's change to a different column survives.
        rows->edit();
        rows->setValue(QStringLiteral("GODINA"), 2011);
        exec(db(), QStringLiteral("update DEKLARACIA set I_EMAIL = 'office@example.bg'"));
        rows->post();
        QCOMPARE(scalar(db(), QStringLiteral("select GODINA || ' ' || I_EMAIL from DEKLARACIA")).toString(),
                 QStringLiteral("2011 office@example.bg"));
    }

    void newRowGetsTheNextKey()
    {
        exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (41)"));
        auto rows = declaration(0);
        rows->append();
        rows->setValue(QStringLiteral("GODINA"), 2010);
        rows->post();
        QCOMPARE(rows->value(QStringLiteral("DEKLARACIA_CODE")), QVariant(42));
    }

    void changesAreAnnouncedBeforeAndAfterStoring()
    {
        exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, GODINA) values (1, 2009)"));
        auto rows = declaration(1);
        RowSource *r = rows.get();
        QStringList log;
        connect(r, &RowSource::valueAboutToChange, this, [&](const QString &c, const QVariant &o, const QVariant &n) {
            log << QStringLiteral("before %1 %2->%3 stored=%4").arg(c, o.toString(), n.toString(), r->value(c).toString());
        });
        connect(r, &RowSource::valueChanged, this, [&](const QString &c, const QVariant &o, const QVariant &n) {
            log << QStringLiteral("after %1 %2->%3 stored=%4").arg(c, o.toString(), n.toString(), r->value(c).toString());
        });
        r->setValue(QStringLiteral("GODINA"), 2010);
        QCOMPARE(log, QStringList({QStringLiteral("before GODINA 2009->2010 stored=2009"),
                                   QStringLiteral("after GODINA 2009->2010 stored=2010")}));
    }

    void tooLongTextIsRefusedOnPostAndNothingStored()
    {
        exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (1)"));
        auto rows = declaration(1);
        rows->setValue(QStringLiteral("I_LK_DLAJNOST"), QStringLiteral("Главен специалист по безопасност и здраве при работа"));
        rows->setValue(QStringLiteral("GODINA"), 2010);
        try {
            rows->post();
            QFAIL("the text was stored");
        } catch (const ValueError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("„Длъжност“")), qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("50")));
        }
        // The edit is still there to correct; the file has neither value.
        QCOMPARE(rows->state(), RowSource::State::Edit);
        QCOMPARE(rows->value(QStringLiteral("GODINA")), QVariant(2010));
        QVERIFY(scalar(db(), QStringLiteral("select GODINA from DEKLARACIA")).isNull());
    }

    void computedColumnsAreReadOnly()
    {
        exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (1)"));
        exec(db(), QStringLiteral("insert into II_PODRAZDELENIEA (II_PODRAZDELENIE_CODE, DEKLARACIA_CODE, OBLAST_CODE) values (1, 1, 2)"));
        RowSource rows(db(), QStringLiteral("II_PODRAZDELENIEA"));
        rows.setSql(QStringLiteral("select p.*, o.NAIMENOVANIE as _OBLAST_NAIMENOVANIE from II_PODRAZDELENIEA p "
                                   "left outer join OBLASTI o on (o.OBLAST_CODE = p.OBLAST_CODE) where DEKLARACIA_CODE = :DEKLARACIA_CODE"));
        rows.setParam(QStringLiteral("DEKLARACIA_CODE"), 1);
        rows.open();
        QCOMPARE(rows.value(QStringLiteral("_OBLAST_NAIMENOVANIE")).toString(), QStringLiteral("Бургас"));
        QVERIFY_THROWS_EXCEPTION(ValueError, rows.setValue(QStringLiteral("_OBLAST_NAIMENOVANIE"), QStringLiteral("х")));
        rows.setValue(QStringLiteral("NAIMENOVANIE"), QStringLiteral("Цех 2"));
        rows.post();
        QCOMPARE(scalar(db(), QStringLiteral("select NAIMENOVANIE from II_PODRAZDELENIEA")).toString(), QStringLiteral("Цех 2"));
    }

    void aRepeatedParameterIsSetEverywhereAndARowFoundByKey()
    {
        for (int code : {1, 2, 3})
            exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, GODINA) values (%1, %2)").arg(code).arg(2008 + code));
        RowSource rows(db(), QStringLiteral("DEKLARACIA"));
        rows.setSql(QStringLiteral("select * from DEKLARACIA where (:Y is null or GODINA >= :Y) and GODINA <> ':Y' order by DEKLARACIA_CODE"));
        SetParamValue(rows, QStringLiteral("Y"), 2010);
        rows.open();
        QCOMPARE(rows.rowCount(), 2);
        SetParamValue(rows, QStringLiteral("Y"), QVariant());
        RefreshQuery(rows);
        QCOMPARE(rows.rowCount(), 3);
        QVERIFY(rows.locate(QStringLiteral("DEKLARACIA_CODE"), 3));
        QCOMPARE(rows.value(QStringLiteral("GODINA")), QVariant(2011));
        QVERIFY(!rows.locate(QStringLiteral("DEKLARACIA_CODE"), 9));
    }

    void requiredFieldsAndTrimming()
    {
        exec(db(), QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (1)"));
        RowSource rows(db(), QStringLiteral("I_UPRAVLIAVASHTI"));
        rows.setSql(QStringLiteral("select * from I_UPRAVLIAVASHTI where DEKLARACIA_CODE = :D"));
        rows.setParam(QStringLiteral("D"), 1);
        rows.open();
        rows.setRequired(QStringLiteral("DLAJNOST"), QStringLiteral("Длъжност"));
        rows.setRequired(QStringLiteral("IMENA"), QStringLiteral("Име, презиме, фамилия"));
        rows.append();
        rows.setValue(QStringLiteral("DEKLARACIA_CODE"), 1);
        rows.setValue(QStringLiteral("IMENA"), QStringLiteral("   "));
        rows.setValue(QStringLiteral("DLAJNOST"), QStringLiteral("  управител   "));
        rows.setValue(QStringLiteral("TELEFON"), QStringLiteral("  02 123"));
        // Field order decides, not the order the requirements were given in.
        try {
            CheckRequiredFields(rows);
            QFAIL("an empty required field passed");
        } catch (const ValueError &e) {
            QCOMPARE(e.message(), QStringLiteral("Полето 'Име, презиме, фамилия' трябва да има стойност!"));
        }
        QVERIFY(rows.value(QStringLiteral("IMENA")).isNull());
        QCOMPARE(rows.value(QStringLiteral("DLAJNOST")).toString(), QStringLiteral("  управител"));
        QCOMPARE(rows.value(QStringLiteral("TELEFON")).toString(), QStringLiteral("  02 123"));
        rows.setValue(QStringLiteral("IMENA"), QStringLiteral("Мария Иванова"));
        CheckRequiredFields(rows);
        rows.post();
    }

    void showFieldValuesFortyToABox()
    {
        // A query of exactly 80 fields: two full boxes and a last one with the title only.
        QStringList cols;
        for (int i = 0; i < 80; ++i)
            cols << QStringLiteral("%1 as F%2").arg(i % 2 ? QStringLiteral("null") : QString::number(i)).arg(i);
        RowSource rows(db(), QStringLiteral("DEKLARACIA"));
        rows.setSql(QStringLiteral("select %1").arg(cols.join(QLatin1Char(','))));
        rows.open();
        QCOMPARE(rows.fieldNames().size(), 80);
        RecordingDialogs boxes;
        setDialogs(&boxes);
        ShowFieldValues(rows, QStringLiteral("Проба"));
        setDialogs(nullptr);
        QCOMPARE(boxes.shown.size(), 3);
        QCOMPARE(boxes.shown.at(2).text, QStringLiteral("Проба :\n\r\n\r"));
        QVERIFY(boxes.shown.at(1).text.startsWith(QStringLiteral("Проба :\n\r\n\rF40 = 40\n\r")));
        QVERIFY(boxes.shown.at(0).text.startsWith(QStringLiteral("Проба :\n\r\n\rF0 = 0\n\rF1 = Null\n\r")));
        QCOMPARE(boxes.shown.at(0).text.count(QStringLiteral("\n\r")), 2 + 40);
    }
};

QTEST_GUILESS_MAIN(TestRowSource)
#include "tst_rowsource.moc"
