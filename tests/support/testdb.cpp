#include "testdb.h"

#include "database.h"
#include "dataloader.h"
#include "dialogs.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace kesp::test {

namespace {

QString cached(const QString &key, const std::function<void(const QString &)> &make)
{
    static QTemporaryDir cacheDir;
    const QString file = QDir(cacheDir.path()).filePath(key);
    if (!QFile::exists(file))
        make(file);
    return file;
}

void copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        qFatal("cannot copy %s", qPrintable(from));
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

} // namespace

TestFiles::TestFiles()
{
    if (!m_dir.isValid())
        qFatal("no temporary folder");
}

QString TestFiles::path(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QString TestFiles::delivered(const QString &name)
{
    const QString src = cached(QStringLiteral("delivered.ddb"), [](const QString &file) {
        RecordingDialogs quiet;
        Dialogs *before = &dialogs();
        setDialogs(&quiet);
        storage::buildDeliveredDatabase(file, QStringLiteral(KESP_DATA_DIR));
        setDialogs(before == &quiet ? nullptr : before);
    });
    copyFile(src, path(name));
    return path(name);
}

QString TestFiles::firstRelease(const QString &name)
{
    const QString src = cached(QStringLiteral("first.ddb"), [](const QString &file) {
        const QString c = QStringLiteral("kesp-test-first");
        {
            QSqlDatabase db = storage::createDatabase(file, c);
            storage::createSchema(db, true);
            storage::loadDeliveredData(db, QStringLiteral(KESP_DATA_DIR));
            storage::tryExec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        }
        storage::closeDatabase(c);
    });
    copyFile(src, path(name));
    return path(name);
}

void execOn(const QString &file, const QString &sql)
{
    const QString c = QStringLiteral("kesp-test-exec");
    {
        QSqlDatabase db = storage::openDatabase(file, c);
        storage::exec(db, sql);
    }
    storage::closeDatabase(c);
}

QVariant scalarOn(const QString &file, const QString &sql)
{
    const QString c = QStringLiteral("kesp-test-scalar");
    QVariant v;
    {
        QSqlDatabase db = storage::openDatabase(file, c);
        v = storage::scalar(db, sql);
    }
    storage::closeDatabase(c);
    return v;
}

} // namespace kesp::test
