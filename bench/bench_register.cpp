// Speed of the document register over 10,000 documents: opening the list, filtering by
// name and sorting by a column.

#include "database.h"
#include "dataloader.h"
#include "dialogs.h"
#include "documentregister.h"
#include "listmodel.h"
#include "tdmmain.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kesp;
using namespace kesp::storage;

namespace {

constexpr int kDocuments = 10000;

// A delivered database with generated documents, made once.
TdmMain &database()
{
    static QTemporaryDir dir;
    static std::unique_ptr<TdmMain> dm = [] {
        RecordingDialogs quiet;
        setDialogs(&quiet);
        const QString file = QDir(dir.path()).filePath(QStringLiteral("KESP.ddb"));
        buildDeliveredDatabase(file, QStringLiteral(KESP_DATA_DIR));
        auto main = std::make_unique<TdmMain>(file);
        setDialogs(nullptr);
        QSqlDatabase db = main->database();
        const QStringList names{QStringLiteral("Строител"), QStringLiteral("Машини"), QStringLiteral("Хлебозавод"),
                                QStringLiteral("Транспорт"), QStringLiteral("Мебели"), QStringLiteral("Софтуер")};
        QRandomGenerator rnd(2010);
        WriteTransaction tx(db);
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, DOCUMENT_TYPE, GODINA, I_NAIMENOVANIE_UL, "
                                 "I_EIK, I_OBLAST_CODE, I_GRAD_CODE, DEKLARACIA_DATA) values (?, ?, ?, ?, ?, ?, ?, ?)"));
        const QDateTime start(QDate(2009, 1, 1), QTime(8, 0));
        for (int i = 1; i <= kDocuments; ++i) {
            q.addBindValue(i);
            q.addBindValue(1 + int(rnd.bounded(2)));
            q.addBindValue(2009 + int(rnd.bounded(2)));
            q.addBindValue(QStringLiteral("%1 %2 ООД").arg(names.at(int(rnd.bounded(names.size())))).arg(i));
            q.addBindValue(QString::number(100000000 + rnd.bounded(899999999)));
            q.addBindValue(1 + int(rnd.bounded(28)));
            q.addBindValue(68134);
            q.addBindValue(start.addSecs(qint64(rnd.bounded(60 * 60 * 24 * 700))).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            q.exec();
        }
        tx.commit();
        return main;
    }();
    return *dm;
}

std::unique_ptr<ListModel> openedRegister()
{
    auto model = std::make_unique<ListModel>(database().database());
    model->setSql(app::DocumentRegister::gridDataSql());
    model->open();
    return model;
}

void BM_OpenRegister(benchmark::State &state)
{
    database(); // built once, outside the timing
    for (auto _ : state) {
        auto model = openedRegister();
        benchmark::DoNotOptimize(model->rowCount());
    }
}
BENCHMARK(BM_OpenRegister)->Unit(benchmark::kMillisecond);

void BM_FilterByName(benchmark::State &state)
{
    auto model = openedRegister();
    app::DocumentRegister::Criteria c;
    c.name = QStringLiteral("хлебо");
    const auto filter = app::DocumentRegister::buildFilter(c);
    for (auto _ : state) {
        model->setFilter(filter);
        benchmark::DoNotOptimize(model->rowCount());
        model->clearFilter();
    }
}
BENCHMARK(BM_FilterByName)->Unit(benchmark::kMillisecond);

void BM_SortByName(benchmark::State &state)
{
    auto model = openedRegister();
    for (auto _ : state) {
        model->sortByField(QStringLiteral("_LICE"), Qt::AscendingOrder);
        benchmark::DoNotOptimize(model->rowCount());
        model->sortByField(QString(), Qt::AscendingOrder);
    }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
