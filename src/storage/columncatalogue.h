#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kesp::storage {

enum class ColumnType { Integer, YesNo, Text, Memo, Double, DateTime, Blob };

// One column of one table, as the form and the file know it.
struct ColumnDef
{
    const char *table;
    const char *name;
    ColumnType type;
    int length;        // declared length of a text column, else 0
    int fieldCode;     // 1..376 when the declaration editor shows it, else 0
    int addedByStep;   // 0 when the first release had it; else the upgrade step that adds it
    int earliestLength;// text length in the first release (differs where the upgrade widened it)
    const char *formText;
    const char *group; // heading of the form item that shows it

    QString tableName() const { return QString::fromLatin1(table); }
    QString columnName() const { return QString::fromLatin1(name); }
    bool isText() const { return type == ColumnType::Text || type == ColumnType::Memo; }
};

// The list of every column of every table, in definition order. The schema, the
// field codes and every generic copy or check read it; nothing else lists columns.
class ColumnCatalogue
{
public:
    static const std::vector<ColumnDef> &all();

    static QStringList tables();
    static std::vector<const ColumnDef *> columns(const QString &table);
    static QStringList columnNames(const QString &table);
    static const ColumnDef *find(const QString &table, const QString &column);
    // The key column: the first column of the table (POLETA_PRAVILA has none).
    static QString keyColumn(const QString &table);
    // The column that shows a field code, or nullptr.
    static const ColumnDef *byFieldCode(int fieldCode);

    // The tables whose rows belong to one document through DEKLARACIA_CODE.
    static const QStringList &detailTables();
};

} // namespace kesp::storage
