// Speed of the rules engine over a declaration with every column set.

#include "columncatalogue.h"
#include "database.h"
#include "dataloader.h"
#include "dialogs.h"
#include "rowsource.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kesp;
using namespace kesp::storage;

namespace {

// A value of the column's kind that fits its length.
QVariant sampleValue(const ColumnDef &c)
{
    switch (c.type) {
    case ColumnType::Integer:
        return 1;
    case ColumnType::YesNo:
        return true;
    case ColumnType::Text:
    case ColumnType::Memo:
        return QStringLiteral("Б");
    case ColumnType::Double:
        return 1.5;
    case ColumnType::DateTime:
        return QDateTime(QDate(2010, 3, 31), QTime(10, 0));
    case ColumnType::Blob:
        return QByteArray("x");
    }
    return {};
}

// The delivered file with one declaration, both rows open in editing, every column set,
// one row in each detail list.
class Fixture
{
public:
    Fixture()
    {
        setDialogs(&m_quiet);
        const QString file = QDir(m_dir.path()).filePath(QStringLiteral("KESP.ddb"));
        buildDeliveredDatabase(file, QStringLiteral(KESP_DATA_DIR));
        m_dm = std::make_unique<TdmMain>(file);
        const QSqlDatabase db = m_dm->database();

        // Rules before 119 have no links in the delivered file yet.
        for (const auto &[rule, field] : {std::pair{21, 19}, {21, 20}, {23, 19}, {23, 21}})
            exec(db,
                 QStringLiteral(
                     "insert into POLETA_PRAVILA (PRAVILO_CODE, POLE_CODE) values (?, ?)"),
                 {rule, field});

        m_row1 = openRow(db, QStringLiteral("DEKLARACIA"));
        m_row2 = openRow(db, QStringLiteral("DEKLARACIA2"));
        for (const QString &table : ColumnCatalogue::detailTables())
            if (table != QLatin1String("DEKLARACIA2"))
                insertRow(db, table, {{QStringLiteral("DEKLARACIA_CODE"), 1}});

        engine = std::make_unique<rules::TdmValidacii>(db);
        engine->UpdatePravila();
        engine->UpdatePoletaPravila();
        engine->setDeclaration(m_row1.get(), m_row2.get());
    }
    ~Fixture()
    {
        engine.reset();
        m_row2.reset();
        m_row1.reset();
        m_dm.reset();
        setDialogs(nullptr);
    }

    std::unique_ptr<rules::TdmValidacii> engine;

private:
    static std::unique_ptr<RowSource> openRow(const QSqlDatabase &db, const QString &table)
    {
        auto row = std::make_unique<RowSource>(db, table);
        row->setSql(QStringLiteral("select * from %1 where DEKLARACIA_CODE = :PK_CODE").arg(table));
        row->setParam(QStringLiteral("PK_CODE"), 1);
        row->open();
        row->append();
        for (const ColumnDef *c : ColumnCatalogue::columns(table))
            if (row->isWritable(c->columnName()))
                row->setValue(c->columnName(), sampleValue(*c));
        row->setValue(QStringLiteral("DEKLARACIA_CODE"), 1);
        row->post();
        row->edit();
        return row;
    }

    RecordingDialogs m_quiet;
    QTemporaryDir m_dir;
    std::unique_ptr<TdmMain> m_dm;
    std::unique_ptr<RowSource> m_row1;
    std::unique_ptr<RowSource> m_row2;
};

Fixture *g_fixture = nullptr;

void BM_CheckValidationsWithoutMarking(benchmark::State &state)
{
    QString greshki;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g_fixture->engine->CheckValidations(false, greshki));
        benchmark::DoNotOptimize(greshki);
    }
}
BENCHMARK(BM_CheckValidationsWithoutMarking);

void BM_CheckValidationsWithMarking(benchmark::State &state)
{
    QString greshki;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g_fixture->engine->CheckValidations(true, greshki));
        benchmark::DoNotOptimize(greshki);
    }
}
BENCHMARK(BM_CheckValidationsWithMarking);

// Entering a field: its rules without marking, and the list the editor shows.
void BM_FieldRuleList(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(g_fixture->engine->RecheckFieldRules(19, false));
}
BENCHMARK(BM_FieldRuleList);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Fixture fixture;
    g_fixture = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_fixture = nullptr;
    return 0;
}
