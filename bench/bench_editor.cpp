// Speed of checking every rule with marking over the declaration editor's controls:
// each run flips the marks of the name fields, so the editor recolours its controls.

#include "database.h"
#include "dataloader.h"
#include "dialogs.h"
#include "fmdeklaraciaedit.h"
#include "rowsource.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kesp;

namespace {

struct EditorFixture
{
    RecordingDialogs quiet;
    QTemporaryDir dir;
    std::unique_ptr<storage::TdmMain> dm;
    std::unique_ptr<rules::TdmValidacii> engine;
    std::unique_ptr<declaration::TfmDeklaraciaEdit> editor;

    EditorFixture()
    {
        setDialogs(&quiet);
        const QString file = QDir(dir.path()).filePath(QStringLiteral("KESP.ddb"));
        storage::buildDeliveredDatabase(file, QStringLiteral(KESP_DATA_DIR));
        dm = std::make_unique<storage::TdmMain>(file);
        storage::exec(dm->database(),
                      QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, GODINA, DOCUMENT_TYPE, I_EIK, "
                                     "I_NAIMENOVANIE_UL, I_OBLAST_CODE) values (1, 2010, 1, '121212120', 'Фирма', 2)"));
        storage::exec(dm->database(), QStringLiteral("insert into DEKLARACIA2 (DEKLARACIA_CODE) values (1)"));
        engine = std::make_unique<rules::TdmValidacii>(dm->database());
        engine->UpdatePravila();
        engine->UpdatePoletaPravila();
        editor = std::make_unique<declaration::TfmDeklaraciaEdit>();
        editor->OpenDeklaracia(1);
    }
    ~EditorFixture() { setDialogs(nullptr); }
};

void BM_CheckAllRulesMarkingTheEditor(benchmark::State &state)
{
    EditorFixture f;
    storage::RowSource &row = *f.editor->qryDataEdit();
    bool named = true;
    QString texts;
    for (auto _ : state) {
        named = !named;
        row.setValue(QStringLiteral("I_NAIMENOVANIE_UL"), named ? QVariant(QStringLiteral("Фирма")) : QVariant());
        benchmark::DoNotOptimize(f.engine->CheckValidations(true, texts));
    }
}
BENCHMARK(BM_CheckAllRulesMarkingTheEditor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
