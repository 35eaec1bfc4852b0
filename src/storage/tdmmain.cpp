#include "tdmmain.h"

#include "database.h"
#include "dialogs.h"
#include "errors.h"
#include "schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace kesp::storage {

namespace {
TdmMain *g_dmMain = nullptr;
int g_connectionCounter = 0;

const QString kNotice = QStringLiteral(
    "За да функционира коректно програмният продукт КЕСП+, е необходимо обновяване на базата "
    "от данни!\n\r\n\rНатиснете \"ОК\", за да се стартира автоматичното обновяване!");
const QString kFailure =
    QStringLiteral("Автоматичното обновяване на базата от данни приключи НЕУСПЕШНО!");
const QString kError = QStringLiteral("Неуспешно обновяване на базата данни!");
const QString kSuccess =
    QStringLiteral("Автоматичното обновяване на базата от данни приключи успешно!");
} // namespace

TdmMain *dmMain()
{
    return g_dmMain;
}

TdmMain::TdmMain(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_connection(QStringLiteral("kesp-%1").arg(++g_connectionCounter))
{
    setObjectName(QStringLiteral("dmMain"));
    openDatabase(path, m_connection);
    g_dmMain = this;
    DataModuleCreate();
}

TdmMain::~TdmMain()
{
    if (g_dmMain == this)
        g_dmMain = nullptr;
    closeDatabase(m_connection);
}

QString TdmMain::defaultDatabasePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("KESP.ddb"));
}

QSqlDatabase TdmMain::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool TdmMain::DBIsExistTable(const QString &Table)
{
    return tryExec(database(), QStringLiteral("select * from %1 limit 1").arg(Table));
}

bool TdmMain::DBIsExistColumn(const QString &Table, const QString &Column)
{
    return tryExec(database(), QStringLiteral("select %1 from %2 limit 1").arg(Column, Table));
}

bool TdmMain::DBAddTable(const QString &Table, const QString &IntegerPrimaryKey)
{
    return tryExec(database(),
                   QStringLiteral("create table %1 (%2 integer not null primary key)")
                       .arg(Table, IntegerPrimaryKey));
}

bool TdmMain::DBAddColumn(const QString &Table, const QString &Column, const QString &FieldType)
{
    if (!DBIsExistTable(Table))
        return false;
    ColumnType type;
    int length;
    const QString def = parseTypeWord(FieldType, &type, &length)
                            ? columnDefinition(Column, type, length)
                            : Column + QLatin1Char(' ') + FieldType;
    return tryExec(database(), QStringLiteral("alter table %1 add %2").arg(Table, def));
}

void TdmMain::UpdateInfoButton(int infobuttonno, const QString &resname)
{
    QFile res(QStringLiteral(":/infotexts/%1.rtf").arg(resname));
    if (!res.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("Липсва текстът %1.").arg(resname));
    const QByteArray blob = res.readAll();
    QSqlQuery q =
        exec(database(),
             QStringLiteral("update INFO_BUTONI set INFO_TEXT_BLOB = ? where INFO_BUTON_CODE = ?"),
             {blob, infobuttonno});
    if (q.numRowsAffected() < 1)
        throw DatabaseError(QStringLiteral("Няма информационен бутон %1.").arg(infobuttonno));
}

void TdmMain::UpdatePravilaDB(const QList<TPraviloDB> &records)
{
    // Bound values rather than quoted literals: a quote in a text cannot break the statement.
    for (const TPraviloDB &r : records) {
        switch (r.Action) {
        case TUpdateAction::Add:
            exec(database(),
                 QStringLiteral(
                     "insert into PRAVILA (PRAVILO_CODE, INFO_TEXT, ACTIVE) values (?, ?, ?)"),
                 {r.ID, r.InfoText, r.Active ? 1 : 0});
            break;
        case TUpdateAction::Update:
            exec(database(),
                 QStringLiteral(
                     "update PRAVILA set INFO_TEXT = ?, ACTIVE = ? where PRAVILO_CODE = ?"),
                 {r.InfoText, r.Active ? 1 : 0, r.ID});
            break;
        case TUpdateAction::Del:
            exec(database(), QStringLiteral("delete from PRAVILA where PRAVILO_CODE = ?"), {r.ID});
            break;
        }
    }
}

QVariant TdmMain::databaseVersion() const
{
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES order by "
                               "INTERNAL_VALUES_CODE limit 1")) ||
        !q.next())
        return {};
    return q.value(0);
}

void TdmMain::notice()
{
    if (m_noticeShown)
        return;
    m_noticeShown = true;
    m_lastBoxWasFailure = false;
    dialogs().message(Dialogs::Icon::Information, kNotice, Dialogs::Ok);
}

void TdmMain::failureBox()
{
    m_anyFailure = true;
    m_lastBoxWasFailure = true;
    dialogs().message(Dialogs::Icon::Information, kFailure, Dialogs::Ok);
}

void TdmMain::errorBox()
{
    m_anyFailure = true;
    m_lastBoxWasFailure = false;
    dialogs().message(Dialogs::Icon::Error, kError, Dialogs::Yes | Dialogs::No);
}

void TdmMain::writeVersion(int version)
{
    QSqlQuery q = exec(database(),
                       QStringLiteral("update INTERNAL_VALUES set DATABASE_VERSION = ? where "
                                      "INTERNAL_VALUES_CODE = (select min(INTERNAL_VALUES_CODE) "
                                      "from INTERNAL_VALUES)"),
                       {version});
    if (q.numRowsAffected() < 1)
        exec(database(),
             QStringLiteral("insert into INTERNAL_VALUES (INTERNAL_VALUES_CODE, DATABASE_VERSION) "
                            "values (1, ?)"),
             {version});
}

bool TdmMain::runStep(int number, const std::function<StepOutcome()> &work)
{
    const QVariant v = databaseVersion();
    if (!v.isNull() && v.toInt() >= number)
        return true;
    notice();
    // The step's work and its version are one transaction: a step is done or not at all.
    StepOutcome outcome;
    try {
        WriteTransaction tx(database());
        outcome = work();
        if (outcome.writeVersion)
            writeVersion(number);
        if (outcome.writeVersion || !outcome.failed)
            tx.commit();
    } catch (const std::exception &) {
        failureBox();
        return false;
    }
    if (outcome.failed)
        errorBox();
    return outcome.writeVersion;
}

void TdmMain::DataModuleCreate()
{
    m_noticeShown = false;
    m_anyFailure = false;
    m_lastBoxWasFailure = false;
    const QSqlDatabase db = database();

    // 1. Who signs the declaration.
    if (!DBIsExistColumn(QStringLiteral("I_UPRAVLIAVASHTI"), QStringLiteral("IS_PODAVASHT"))) {
        notice();
        if (!DBAddColumn(QStringLiteral("I_UPRAVLIAVASHTI"),
                         QStringLiteral("IS_PODAVASHT"),
                         QStringLiteral("yesno")))
            failureBox();
    }

    // 2. The version table, and the wider subdivision manager.
    if (!DBIsExistTable(QStringLiteral("INTERNAL_VALUES"))) {
        notice();
        bool ok = false;
        try {
            WriteTransaction tx(db);
            ok = DBAddTable(QStringLiteral("INTERNAL_VALUES"),
                            QStringLiteral("INTERNAL_VALUES_CODE")) &&
                 DBAddColumn(QStringLiteral("INTERNAL_VALUES"),
                             QStringLiteral("DATABASE_VERSION"),
                             QStringLiteral("long integer"));
            if (ok) {
                alterColumnType(db,
                                QStringLiteral("II_PODRAZDELENIEA"),
                                QStringLiteral("RAKOVODITEL"),
                                QStringLiteral("Text(255)"));
                exec(db,
                     QStringLiteral("insert into INTERNAL_VALUES (INTERNAL_VALUES_CODE, "
                                    "DATABASE_VERSION) values (1, 1)"));
                tx.commit();
            }
        } catch (const std::exception &) {
            ok = false;
        }
        if (!ok)
            failureBox();
    }

    // 3. Every start; the row normally exists already.
    tryExec(db,
            QStringLiteral("insert into INFO_BUTONI (INFO_BUTON_CODE, INFO_TEXT) values (42, "
                           "'Раздел IV, част ІV, т. 35')"));

    // 4. Without a readable version there is nothing more to do safely.
    if (!DBIsExistTable(QStringLiteral("INTERNAL_VALUES"))) {
        if (!m_lastBoxWasFailure)
            failureBox();
        return;
    }

    // 5. The numbered steps. A step that ends without its version stops the sequence:
    // a later step would write a higher version and the failed one would never run again.
    const QList<QPair<int, std::function<StepOutcome()>>> steps = {
        {120,
         [this] {
             UpdateInfoButton(7, QStringLiteral("ib7"));
             UpdateInfoButton(19, QStringLiteral("ib19"));
             UpdateInfoButton(13, QStringLiteral("ib13"));
             UpdateInfoButton(42, QStringLiteral("ib42"));
             return StepOutcome{};
         }},
        {122,
         [this] {
             StepOutcome o;
             try {
                 UpdatePravilaDB(ruleTextsOfStep122());
             } catch (const std::exception &) {
                 o.failed = true;
             }
             return o;
         }},
        {124,
         [this, &db] {
             StepOutcome o;
             const int count =
                 scalar(db, QStringLiteral("select sum(1) as _SUM from POLETA_PRAVILA")).toInt();
             if (count < 738) {
                 for (const auto &[rule, field] : ruleFieldLinksOfStep124())
                     if (!tryExec(
                             db,
                             QStringLiteral("insert into POLETA_PRAVILA (PRAVILO_CODE, POLE_CODE) "
                                            "values (%1,%2)")
                                 .arg(rule)
                                 .arg(field)))
                         o.failed = true;
             }
             if (!tryExec(
                     db,
                     QStringLiteral(
                         "delete from POLETA_PRAVILA where ((PRAVILO_CODE = 56) and (POLE_CODE = "
                         "17)) or ((PRAVILO_CODE = 56) and (POLE_CODE = 78)) or ((PRAVILO_CODE = "
                         "59) and (POLE_CODE = 16)) or ((PRAVILO_CODE = 59) and (POLE_CODE = "
                         "17))")))
                 o.failed = true;
             return o;
         }},
        {126,
         [&db] {
             StepOutcome o;
             o.failed = !tryExec(
                 db,
                 QStringLiteral(
                     "update PRAVILA set INFO_TEXT='Раздел І, т. 1 - Стойността на полето "
                     "\"Година\" трябва да бъде между не по-малка от 2009 и не по-голяма от "
                     "2020.' where PRAVILO_CODE = 117"));
             o.writeVersion = !o.failed;
             return o;
         }},
        {130,
         [this] {
             UpdateInfoButton(11, QStringLiteral("ib11"));
             return StepOutcome{};
         }},
        {131,
         [this, &db] {
             StepOutcome o;
             const QString t = QStringLiteral("DEKLARACIA");
             const bool ok =
                 DBAddColumn(t, QStringLiteral("DOCUMENT_TYPE"), QStringLiteral("long integer")) &&
                 DBAddColumn(
                     t, QStringLiteral("UVED_PREDSTAVLIAVASHT"), QStringLiteral("text(255)")) &&
                 DBAddColumn(t, QStringLiteral("IS_CHUJDENEC"), QStringLiteral("yesno")) &&
                 DBAddColumn(t, QStringLiteral("UVED_IZH_NOMER"), QStringLiteral("text(20)")) &&
                 tryExec(db, QStringLiteral("UPDATE DEKLARACIA SET DOCUMENT_TYPE = 1;"));
             o.failed = !ok;
             o.writeVersion = ok;
             return o;
         }},
        {132,
         [this, &db] {
             exec(db,
                  QStringLiteral(
                      "insert into INFO_BUTONI (INFO_BUTON_CODE, INFO_TEXT) values (55, ?)"),
                  {QStringLiteral("Уведомления")});
             UpdateInfoButton(55, QStringLiteral("ib55"));
             return StepOutcome{};
         }},
        {133,
         [&db] {
             // The city names only: no street address of the directorate is known to us, and an
             // invented one would be worse than none.
             exec(db,
                  QStringLiteral("update REGIONALNI_DIREKCII set GRAD = 'София- Град' where "
                                 "REGIONALNA_DIREKCIA_CODE = 22"));
             exec(db,
                  QStringLiteral("update REGIONALNI_DIREKCII set GRAD = 'София- Област' where "
                                 "REGIONALNA_DIREKCIA_CODE = 23"));
             return StepOutcome{};
         }},
        {134,
         [this, &db] {
             for (const auto &[code, title] : infoRowsOfStep134())
                 tryExec(
                     db,
                     QStringLiteral(
                         "insert into INFO_BUTONI (INFO_BUTON_CODE, INFO_TEXT) values (%1, '%2')")
                         .arg(code)
                         .arg(QString(title).replace(QLatin1Char('\''), QStringLiteral("''"))));
             for (int code : {36, 39, 40, 41, 43, 44, 56})
                 UpdateInfoButton(code, QStringLiteral("ib%1").arg(code));
             return StepOutcome{};
         }},
    };
    for (const auto &[number, work] : steps)
        if (!runStep(number, work))
            break;

    // 7. One closing box: success only when nothing failed.
    if (m_noticeShown) {
        if (!m_anyFailure)
            dialogs().message(Dialogs::Icon::Information, kSuccess, Dialogs::Ok);
        else if (!m_lastBoxWasFailure)
            failureBox();
    }
}

} // namespace kesp::storage
