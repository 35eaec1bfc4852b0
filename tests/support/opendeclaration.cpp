#include "opendeclaration.h"

#include "database.h"

namespace kesp::test {

void insertEmptyDeclaration(const QSqlDatabase &db, int code)
{
    storage::exec(db, QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (?)"), {code});
    storage::exec(db, QStringLiteral("insert into DEKLARACIA2 (DEKLARACIA_CODE) values (?)"), {code});
}

std::unique_ptr<storage::RowSource> openDeclarationRow(const QSqlDatabase &db,
                                                       const QString &table,
                                                       int code)
{
    auto row = std::make_unique<storage::RowSource>(db, table);
    row->setSql(QStringLiteral("select * from %1 where DEKLARACIA_CODE = :PK_CODE").arg(table));
    row->setParam(QStringLiteral("PK_CODE"), code);
    row->open();
    row->edit();
    return row;
}

} // namespace kesp::test
