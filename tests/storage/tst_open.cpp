#include "database.h"
#include "dialogs.h"
#include "errors.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kesp;

class TestOpen : public QObject
{
    Q_OBJECT
private slots:
    void unusableFilesAreRefusedAndNothingIsCreated_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing" << "не съществува";
        QTest::newRow("not a database") << "text" << "не е база от данни";
        QTest::newRow("empty file") << "empty" << "не е база от данни";
        QTest::newRow("read-only") << "readonly" << "само за четене";
    }
    void unusableFilesAreRefusedAndNothingIsCreated()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        test::TestFiles files;
        QString path = files.path(QStringLiteral("KESP.ddb"));
        if (kind == QLatin1String("text")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Това не е база от данни, а обикновен текст.\n");
        } else if (kind == QLatin1String("empty")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (kind == QLatin1String("readonly")) {
            path = files.delivered();
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        }
        const QByteArray before = QFile::exists(path) ? [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }() : QByteArray();

        RecordingDialogs boxes;
        setDialogs(&boxes);
        try {
            storage::TdmMain dm(path);
            QFAIL("the file was accepted");
        } catch (const DatabaseOpenError &e) {
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
            QVERIFY(e.message().contains(QDir::toNativeSeparators(path)));
        }
        setDialogs(nullptr);
        // The upgrade never ran: no box, and the file is exactly as it was (or still absent).
        QVERIFY(boxes.shown.isEmpty());
        if (kind == QLatin1String("missing")) {
            QVERIFY(!QFile::exists(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), before);
        }
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void aDeliveredFileOpensWithItsSettings()
    {
        test::TestFiles files;
        const QString path = files.delivered();
        QSqlDatabase db = storage::openDatabase(path, QStringLiteral("t"));
        QCOMPARE(storage::scalar(db, QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
        QCOMPARE(storage::scalar(db, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QVERIFY(storage::scalar(db, QStringLiteral("PRAGMA busy_timeout")).toInt() >= 1000);
        db = QSqlDatabase();
        storage::closeDatabase(QStringLiteral("t"));
    }
};

QTEST_GUILESS_MAIN(TestOpen)
#include "tst_open.moc"
