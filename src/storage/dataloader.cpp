#include "dataloader.h"

#include "columncatalogue.h"
#include "csv.h"
#include "database.h"
#include "errors.h"
#include "schema.h"
#include "tablewriter.h"
#include "tdmmain.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace kesp::storage {

int loadDeliveredData(const QSqlDatabase &db, const QString &dataDir)
{
    const QDir dir(dataDir);
    int loaded = 0;
    WriteTransaction tx(db);
    for (const QString &table : ColumnCatalogue::tables()) {
        QFile f(dir.filePath(table + QStringLiteral(".csv")));
        if (!f.exists())
            continue;
        if (!f.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("%1: %2").arg(f.fileName(), f.errorString()));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(f.readAll()));
        if (rows.isEmpty())
            continue;
        const QStringList header = rows.first();
        for (const QString &col : header)
            if (!ColumnCatalogue::find(table, col))
                throw Error(QStringLiteral("%1: непозната колона %2").arg(f.fileName(), col));
        QStringList marks;
        for (int i = 0; i < header.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(table, header.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const QStringList &row = rows.at(r);
            if (row.size() == 1 && row.first().isEmpty())
                continue;
            if (row.size() != header.size())
                throw Error(QStringLiteral("%1, ред %2: %3 полета вместо %4")
                                .arg(f.fileName())
                                .arg(r + 1)
                                .arg(row.size())
                                .arg(header.size()));
            for (int i = 0; i < header.size(); ++i) {
                const ColumnDef *c = ColumnCatalogue::find(table, header.at(i));
                const QString &v = row.at(i);
                if (v.isEmpty()) {
                    q.bindValue(i, QVariant());
                } else if (c->type == ColumnType::Blob) {
                    QFile blob(dir.filePath(v));
                    if (!blob.open(QIODevice::ReadOnly))
                        throw Error(QStringLiteral("%1: %2").arg(blob.fileName(), blob.errorString()));
                    q.bindValue(i, blob.readAll());
                } else {
                    q.bindValue(i, toStored(table, c->columnName(), v));
                }
            }
            if (!q.exec())
                throw DatabaseError(QStringLiteral("%1, ред %2: %3")
                                        .arg(f.fileName())
                                        .arg(r + 1)
                                        .arg(q.lastError().text()));
            ++loaded;
        }
    }
    tx.commit();
    return loaded;
}

void buildDeliveredDatabase(const QString &outPath, const QString &dataDir)
{
    const QString connection = QStringLiteral("kesp-build");
    {
        QSqlDatabase db = createDatabase(outPath, connection);
        try {
            createSchema(db, /*firstRelease=*/true);
            loadDeliveredData(db, dataDir);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            closeDatabase(connection);
            QFile::remove(outPath);
            throw;
        }
    }
    closeDatabase(connection);
    TdmMain upgraded(outPath);
    // A compact, self-contained file: fold the journal back in.
    tryExec(upgraded.database(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

} // namespace kesp::storage
