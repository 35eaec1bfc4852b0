// Draws the main window, its open menu and the About window into PNG files, as the
// screen shows them. Run under a display, for example: xvfb-run -a kesp_screens /tmp
#include "application.h"
#include "fmdeklaracii.h"
#include "database.h"
#include "fmdeklaraciaedit.h"
#include "fmsplash.h"
#include "icons.h"
#include "startup.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace kesp;

namespace {

void grab(const QString &file)
{
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

} // namespace

int main(int argc, char **argv)
{
    app::Application application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    test::TestFiles files;
    app::Startup startup;
    if (!startup.run(files.delivered()))
        return 1;
    app::TfmDeklaracii *w = app::fmDeklaracii();
    w->show();
    grab(QDir(out).filePath(QStringLiteral("kesp-main.png")));

    for (QMenu *menu : {w->miInstrumenti, w->miPomosht}) {
        QTimer::singleShot(0, menu, [menu, w, out] {
            const QString name = menu->objectName();
            grab(QDir(out).filePath(QStringLiteral("kesp-%1.png").arg(name)));
            menu->close();
        });
        menu->exec(w->mapToGlobal(w->menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
    }

    QTimer::singleShot(0, w, [out] {
        grab(QDir(out).filePath(QStringLiteral("kesp-about.png")));
        app::fmSplash()->done(0);
    });
    app::fmSplash()->FromAbout();

    // The editor on a filled-in declaration: pages "Раздел І" and "Раздел ІІ".
    const QSqlDatabase db = storage::dmMain()->database();
    storage::exec(db, QStringLiteral(
        "insert into DEKLARACIA (DEKLARACIA_CODE, DOCUMENT_TYPE, GODINA, I_NAIMENOVANIE_UL, I_EIK, "
        "I_SAMOSTO_NAEMAT_RAB, I_OBLAST_CODE, I_OBSHTINA_CODE, I_GRAD_CODE, I_POSHTENSKI_KOD, I_ULICA, "
        "I_ULICA_NOMER, I_TELEFON, I_EMAIL, I_LK_IMENA, I_LK_DLAJNOST, I_LK_TEL_FAKS, II_NAIMENOVANIE, "
        "II_OBLAST_CODE, II_OBSHTINA_CODE, II_GRAD_CODE, II_POSHTENSKI_KOD, II_ULICA, "
        "II_RAKOVODITEL_IMENA, II_RAKOVODITEL_DLAJNOST, II_RAKOVODITEL_TELEFON, II_IS_PODRAZDELENIA, "
        "II_PERSONAL_BROI, II_NAETI_LICA, DEKLARACIA_DATA) values (1, 1, 2010, "
        "'Стъкларски завод „Изгрев“ АД', '121212121', 1, 2, 204, 7079, 8000, 'Индустриална', '12', "
        "'056 812 345', 'office@izgrev.bg', 'Мария Петрова Колева', 'Специалист ЗБУТ', '056 812 346', "
        "'Стъкларски завод „Изгрев“', 2, 204, 7079, 8000, 'Индустриална', 'Георги Иванов Стоянов', "
        "'Изпълнителен директор', '056 812 300', 2, 3, 65, '2010-03-15 10:20:00')"));
    storage::exec(db, QStringLiteral("insert into DEKLARACIA2 (DEKLARACIA_CODE) values (1)"));
    storage::exec(db, QStringLiteral(
        "insert into I_UPRAVLIAVASHTI (I_UPRAVLIAVASHT_CODE, DEKLARACIA_CODE, IMENA, DLAJNOST, TELEFON, "
        "TIP_DLAJNOST, IS_PODAVASHT) values (1, 1, 'Георги Иванов Стоянов', 'Изпълнителен директор', "
        "'056 812 300', 3, 1)"));
    storage::exec(db, QStringLiteral(
        "insert into II_KID (II_KID_CODE, DEKLARACIA_CODE, KID_CODE, KID_TEKST, KID_KOD) "
        "select 1, 1, KID_CODE, NAIMENOVANIE, KOD from KID where KOD = '23.13'"));
    declaration::TfmDeklaraciaEdit *editor = declaration::fmDeklaraciaEdit();
    QTimer::singleShot(0, editor, [editor, out] {
        auto *pages = editor->findChild<QTabWidget *>(QStringLiteral("pcRazdeli"));
        grab(QDir(out).filePath(QStringLiteral("kesp-page-i.png")));
        pages->setCurrentIndex(1);
        grab(QDir(out).filePath(QStringLiteral("kesp-page-ii.png")));
        if (auto *area = pages->currentWidget()->findChild<QScrollArea *>())
            area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        grab(QDir(out).filePath(QStringLiteral("kesp-page-ii-end.png")));
        editor->reject();
    });
    editor->viIOblast = 2;
    editor->viIObshtina = 204;
    editor->viIIOblast = 2;
    editor->viIIObshtina = 204;
    editor->EditItem(1);

    // Every picture of the menu and the buttons, small and large, enabled and not.
    const int kinds = int(app::IconKind::Xml) + 1;
    QImage sheet(kinds * 56 + 8, 160, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int i = 0; i < kinds; ++i) {
        const QIcon icon = app::icon(app::IconKind(i));
        p.drawPixmap(8 + i * 56, 8, icon.pixmap(16));
        p.drawPixmap(8 + i * 56, 32, icon.pixmap(32));
        p.drawPixmap(8 + i * 56, 72, icon.pixmap(16, QIcon::Disabled));
        p.drawPixmap(8 + i * 56, 96, icon.pixmap(48));
    }
    p.end();
    sheet.save(QDir(out).filePath(QStringLiteral("kesp-icons.png")));
    return 0;
}
