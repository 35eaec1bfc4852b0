// Draws the main window, its open menu and the About window into PNG files, as the
// screen shows them. Run under a display, for example: xvfb-run -a kesp_screens /tmp
#include "application.h"
#include "fmdeklaracii.h"
#include "fmsplash.h"
#include "icons.h"
#include "startup.h"
#include "testdb.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
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
