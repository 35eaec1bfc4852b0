#include "carryover.h"

#include "columncatalogue.h"
#include "database.h"
#include "dialogs.h"
#include "rowsource.h"
#include "tablewriter.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace kesp::storage {

namespace {

const QString kQuestionDeklaracia = QStringLiteral(
    "В системата има въведена декларация / уведомление зазадължено лице с този ЕИК / ЕГН. "
    "Желаете ли данните от нея да бъдат автоматично заредени в новия документ?");
const QString kQuestionUvedomlenie = QStringLiteral(
    "В системата има въведена декларация / уведомление за задължено лице с този ЕИК / ЕГН. "
    "Желаете ли данните от нея да бъдат автоматично заредени в новия документ?");

// What a declaration does not take over from the earlier document.
const QStringList kNotCopied{QStringLiteral("DEKLARACIA_CODE"),
                             QStringLiteral("GODINA"),
                             QStringLiteral("VHODIASHT_NOMER"),
                             QStringLiteral("DEKLARACIA_DATA"),
                             QStringLiteral("I_OBLAST_CODE"),
                             QStringLiteral("I_GRAD_CODE"),
                             QStringLiteral("II_OBLAST_CODE"),
                             QStringLiteral("II_GRAD_CODE"),
                             QStringLiteral("I_OBSHTINA_CODE"),
                             QStringLiteral("II_OBSHTINA_CODE"),
                             QStringLiteral("UVED_PREDSTAVLIAVASHT")};

// The lists in the order they are carried over.
const QStringList kListsInCopyOrder{QStringLiteral("P2_11_CAS"),
                                    QStringLiteral("P2_4_CAS"),
                                    QStringLiteral("I_UPRAVLIAVASHTI"),
                                    QStringLiteral("II_PODRAZDELENIEA"),
                                    QStringLiteral("IV_POCHIVKI"),
                                    QStringLiteral("II_KID")};

QVariantMap readFirst(const QSqlDatabase &db, const QString &table, const QString &sql, const QVariantList &params)
{
    QSqlQuery q = exec(db, sql, params);
    return q.next() ? currentRecord(table, q) : QVariantMap();
}

// The earliest document of the person: the lowest year, then the earliest save.
QVariantMap earliestDocument(const QSqlDatabase &db, const QString &eik, int documentType)
{
    return readFirst(db,
                     QStringLiteral("DEKLARACIA"),
                     QStringLiteral("select * from DEKLARACIA where (I_EIK = ?) and (DOCUMENT_TYPE = ?) "
                                    "order by GODINA, DEKLARACIA_DATA limit 1"),
                     {eik, documentType});
}

} // namespace

bool ImportDeklaracia(const QSqlDatabase &db, int newCode, const QString &eik)
{
    if (eik.isEmpty())
        return false;
    QVariantMap earlier = earliestDocument(db, eik, 1);
    if (earlier.isEmpty())
        earlier = earliestDocument(db, eik, 2);

    // The question comes before any write: no transaction waits on the user.
    const bool carry = !earlier.isEmpty()
                       && dialogs().message(Dialogs::Icon::Question,
                                            kQuestionDeklaracia,
                                            Dialogs::Yes | Dialogs::No,
                                            Dialogs::Yes)
                              == Dialogs::Yes;

    WriteTransaction tx(db);
    if (!carry) {
        updateRow(db, QStringLiteral("DEKLARACIA"), newCode, {{QStringLiteral("I_EIK"), eik}});
        tx.commit();
        return false;
    }

    QVariantMap first;
    for (const ColumnDef *c : ColumnCatalogue::columns(QStringLiteral("DEKLARACIA"))) {
        const QString name = c->columnName();
        if (!kNotCopied.contains(name) && earlier.contains(name))
            first.insert(name, earlier.value(name));
    }
    // Place codes only where the earlier document had them: an empty code stays empty.
    for (const char *col : {"I_OBLAST_CODE", "I_OBSHTINA_CODE", "I_GRAD_CODE"})
        if (!earlier.value(QLatin1String(col)).isNull())
            first.insert(QLatin1String(col), earlier.value(QLatin1String(col)));
    first.insert(QStringLiteral("GODINA"), 2010);
    first.insert(QStringLiteral("DOCUMENT_TYPE"), 1);

    const int earlierCode = earlier.value(QStringLiteral("DEKLARACIA_CODE")).toInt();
    const QVariantMap earlier2 = readRow(db, QStringLiteral("DEKLARACIA2"), earlierCode);
    if (!earlier2.isEmpty()) {
        QVariantMap second = earlier2;
        second.remove(QStringLiteral("DEKLARACIA_CODE"));
        updateRow(db, QStringLiteral("DEKLARACIA2"), newCode, second);
        for (const char *col : {"II_OBLAST_CODE", "II_OBSHTINA_CODE", "II_GRAD_CODE"})
            if (!earlier.value(QLatin1String(col)).isNull())
                first.insert(QLatin1String(col), earlier.value(QLatin1String(col)));
    }
    updateRow(db, QStringLiteral("DEKLARACIA"), newCode, first);

    for (const QString &table : kListsInCopyOrder) {
        const QString key = ColumnCatalogue::keyColumn(table);
        QSqlQuery q = exec(db,
                           QStringLiteral("select * from %1 where DEKLARACIA_CODE = ? order by %2").arg(table, key),
                           {earlierCode});
        QList<QVariantMap> rows;
        while (q.next())
            rows << currentRecord(table, q);
        for (QVariantMap row : rows) {
            row.remove(key); // a new key, max + 1
            row.insert(QStringLiteral("DEKLARACIA_CODE"), newCode);
            insertRow(db, table, row);
        }
    }
    tx.commit();
    return true;
}

void ImportUvedomlenie(const QSqlDatabase &db, RowSource &notification, const QString &eik)
{
    if (eik.isEmpty())
        return;
    const QVariantMap earlier = readFirst(db,
                                          QStringLiteral("DEKLARACIA"),
                                          QStringLiteral("select * from DEKLARACIA where I_EIK = ? "
                                                         "order by GODINA, DEKLARACIA_DATA limit 1"),
                                          {eik});
    if (earlier.isEmpty()
        || dialogs().message(Dialogs::Icon::Question,
                             kQuestionUvedomlenie,
                             Dialogs::Yes | Dialogs::No,
                             Dialogs::Yes)
               != Dialogs::Yes) {
        notification.setValue(QStringLiteral("I_EIK"), eik);
        return;
    }
    for (const char *col : {"GODINA", "I_NAIMENOVANIE_UL", "I_IMENA_FL", "I_EIK", "I_POSHTENSKI_KOD",
                            "I_JILISHTEN_KOMPLEKS", "I_ULICA", "I_ULICA_NOMER", "I_BLOK_NO",
                            "I_BLOK_VHOD", "I_BLOK_ETAJ", "I_BLOK_APARTAMENT", "I_TELEFON",
                            "I_EMAIL", "IS_CHUJDENEC"})
        notification.setValue(QLatin1String(col), earlier.value(QLatin1String(col)));

    const QVariant representative = earlier.value(QStringLiteral("UVED_PREDSTAVLIAVASHT"));
    if (!representative.isNull() && !representative.toString().isEmpty()) {
        notification.setValue(QStringLiteral("UVED_PREDSTAVLIAVASHT"), representative);
    } else {
        const QVariant signer = scalar(db,
                                       QStringLiteral("select IMENA from I_UPRAVLIAVASHTI where IS_PODAVASHT = 1 "
                                                      "and DEKLARACIA_CODE = ? order by I_UPRAVLIAVASHT_CODE limit 1"),
                                       {earlier.value(QStringLiteral("DEKLARACIA_CODE"))});
        if (signer.isValid())
            notification.setValue(QStringLiteral("UVED_PREDSTAVLIAVASHT"), signer);
    }
    // An empty place code stays empty: a 0 would pass as "filled".
    for (const char *col : {"I_OBLAST_CODE", "I_OBSHTINA_CODE", "I_GRAD_CODE"})
        notification.setValue(QLatin1String(col), earlier.value(QLatin1String(col)));
    notification.setValue(QStringLiteral("GODINA"), 2010);
}

} // namespace kesp::storage
