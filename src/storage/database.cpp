#include "database.h"

#include "errors.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSqlError>
#include <QUrl>

namespace kesp::storage {

namespace {

QString openFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Базата от данни не може да бъде отворена.\n\rФайл: %1\n\rПричина: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool looksLikeSqlite(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

void applyConnectionSettings(QSqlDatabase &db)
{
    // Another copy of the program may use the same file: wait for its locks instead of failing.
    for (const char *pragma : {"PRAGMA busy_timeout = 10000",
                               "PRAGMA foreign_keys = ON",
                               "PRAGMA journal_mode = WAL",
                               "PRAGMA synchronous = NORMAL"}) {
        QSqlQuery q(db);
        if (!q.exec(QString::fromLatin1(pragma)))
            throw DatabaseOpenError(q.lastError().text());
    }
}

} // namespace

QSqlDatabase openDatabase(const QString &path, const QString &connectionName)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        throw DatabaseOpenError(openFailure(path, QStringLiteral("файлът не съществува.")));
    if (!fi.isFile() || !fi.isReadable())
        throw DatabaseOpenError(openFailure(path, QStringLiteral("файлът не може да бъде прочетен.")));
    if (!looksLikeSqlite(path))
        throw DatabaseOpenError(
            openFailure(path, QStringLiteral("файлът не е база от данни на КЕСП+.")));
    // The owner's write bit is checked as well, since a privileged user passes the access test.
    if (!fi.isWritable() || !(fi.permissions() & QFileDevice::WriteOwner))
        throw DatabaseOpenError(
            openFailure(path, QStringLiteral("файлът е само за четене; промените не могат да се запишат.")));
    if (!QFileInfo(fi.absolutePath()).isWritable())
        throw DatabaseOpenError(openFailure(
            path, QStringLiteral("в папката на файла не може да се записва.")));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // mode=rw: open an existing file only, never create one.
    QUrl url = QUrl::fromLocalFile(fi.absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw DatabaseOpenError(openFailure(path, reason));
    }
    try {
        applyConnectionSettings(db);
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("select count(*) from sqlite_master")) || !q.next())
            throw DatabaseOpenError(q.lastError().text());
    } catch (const DatabaseOpenError &e) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw DatabaseOpenError(openFailure(path, e.message()));
    }
    return db;
}

QSqlDatabase createDatabase(const QString &path, const QString &connectionName)
{
    if (QFileInfo::exists(path))
        throw DatabaseOpenError(
            QStringLiteral("Файлът %1 вече съществува и няма да бъде презаписан.").arg(path));
    {
        QFile f(path);
        if (!f.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            throw DatabaseOpenError(
                QStringLiteral("Файлът %1 не може да бъде създаден: %2").arg(path, f.errorString()));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    if (!db.open())
        throw DatabaseOpenError(db.lastError().text());
    applyConnectionSettings(db);
    return db;
}

void closeDatabase(const QString &connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlQuery exec(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw DatabaseError(q.lastError().text() + QStringLiteral("\n") + sql);
    for (const auto &p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DatabaseError(q.lastError().text() + QStringLiteral("\n") + sql);
    return q;
}

bool tryExec(const QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery q = exec(db, sql, params);
    return q.next() ? q.value(0) : QVariant();
}

WriteTransaction::WriteTransaction(const QSqlDatabase &db)
    : m_db(db)
{
    QSqlQuery q(m_db);
    if (q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        m_owns = true;
        return;
    }
    // Already inside a transaction of this connection: join it.
    if (q.lastError().text().contains(QLatin1String("within a transaction")))
        return;
    throw DatabaseError(q.lastError().text());
}

WriteTransaction::~WriteTransaction()
{
    if (m_owns && !m_done)
        rollback();
}

void WriteTransaction::commit()
{
    if (!m_owns || m_done)
        return;
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("COMMIT")))
        throw DatabaseError(q.lastError().text());
    m_done = true;
}

void WriteTransaction::rollback()
{
    if (!m_owns || m_done)
        return;
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("ROLLBACK"));
    m_done = true;
}

} // namespace kesp::storage
