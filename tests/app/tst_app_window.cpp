#include "appmain.h"

#include "dialogs.h"
#include "fmdeklaracii.h"
#include "fmsplash.h"
#include "startup.h"
#include "testdb.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

using namespace kesp;
using app::TfmDeklaracii;

class TestMainWindow : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<app::Startup> m_startup;
    RecordingDialogs m_boxes;

    TfmDeklaracii *window() const { return app::fmDeklaracii(); }

private slots:
    void initTestCase()
    {
        const QString path = m_files.delivered();
        setDialogs(&m_boxes);
        m_startup = std::make_unique<app::Startup>();
        QVERIFY(m_startup->run(path));
        QVERIFY(window());
        window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }
    void init()
    {
        m_boxes.clear();
        m_boxes.answers.clear();
        if (!window()->isVisible()) {
            window()->show();
            QVERIFY(QTest::qWaitForWindowExposed(window()));
        }
    }
    void cleanupTestCase()
    {
        m_startup.reset();
        setDialogs(nullptr);
    }

    void captionFixedSizeAndCaptionButtons()
    {
        TfmDeklaracii *w = window();
        QCOMPARE(w->windowTitle(), QStringLiteral("КЕСП+"));
        QCOMPARE(w->centralWidget()->size(), QSize(850, 532));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(TfmDeklaracii::GetAppVersion(), QStringLiteral("2.11.0.1040"));
    }

    void registerAreaSitsBetweenMenuAndButtons()
    {
        TfmDeklaracii *w = window();
        const QRect filter(w->filterGroup()->mapTo(w, QPoint()), w->filterGroup()->size());
        const QRect grid(w->grid()->mapTo(w, QPoint()), w->grid()->size());
        const QRect add(w->btnAdd->mapTo(w, QPoint()), w->btnAdd->size());
        QVERIFY(filter.top() >= w->menuBar()->geometry().bottom());
        QCOMPARE(filter.height(), TfmDeklaracii::kFilterHeight);
        QVERIFY(filter.bottom() < grid.top());
        QVERIFY(grid.bottom() < add.top());
        QVERIFY(grid.width() >= 830);

        // The register stands in the placeholders' places.
        QCOMPARE(w->filterGroup()->objectName(), QStringLiteral("grpFilter"));
        QCOMPARE(w->grid()->objectName(), QStringLiteral("grdData"));
        QCOMPARE(w->grid()->parentWidget(), w->registerArea());
        QCOMPARE(w->centralWidget()->size(), QSize(850, 532));
    }

    void menuCaptionsInOrder()
    {
        const QStringList expected = {
            QStringLiteral("[Програма]"),
            QStringLiteral("Изход"),
            QStringLiteral("[Номенклатури]"),
            QStringLiteral("Регистър на иконимическите дейности (КИД 2008)..."),
            QStringLiteral("Регистър на химичните агенти (CAS)..."),
            QStringLiteral("Регистър на населените места (ЕКАТТЕ)..."),
            QStringLiteral("[Инструменти]"),
            QStringLiteral("Подписване с УЕП..."),
            QStringLiteral("-"),
            QStringLiteral("Отпечатване на непопълнена бланка за Декларация..."),
            QStringLiteral("Отпечатване на непопълнена бланка за Уведомление..."),
            QStringLiteral("Отпечатване на работен вариант на избраната декларация..."),
            QStringLiteral("-"),
            QStringLiteral("Импортиране на декларация от XML..."),
            QStringLiteral("[Помощ]"),
            QStringLiteral("Регионални дирекции на ИА \"Главна инспекция по труда\"..."),
            QStringLiteral("-"),
            QStringLiteral("Отдалечен достъп до този компютър..."),
            QStringLiteral("-"),
            QStringLiteral("За програмата..."),
        };
        QStringList actual;
        for (QAction *top : window()->menuBar()->actions()) {
            actual << QStringLiteral("[") + top->text() + QStringLiteral("]");
            for (QAction *item : top->menu()->actions()) {
                actual << (item->isSeparator() ? QStringLiteral("-") : item->text());
                if (!item->isSeparator())
                    QVERIFY2(!item->icon().isNull(), qPrintable(item->text()));
            }
        }
        QCOMPARE(actual, expected);
        QCOMPARE(window()->miPrintBlankaUvedomlenie->objectName(),
                 QStringLiteral("miPrintBlankaUvedomlenie"));
        QCOMPARE(window()->miRabotenVariant->objectName(), QStringLiteral("miRabotenVariant"));
    }

    void menuItemsEnabledOnlyWhereTheyWork_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("exit") << "miIzhod" << true;
        QTest::newRow("remote support") << "miOtdalechenDostap" << true;
        QTest::newRow("about") << "miZaProgramata" << true;
        for (const char *pending : {"miKid",
                                    "miCAS",
                                    "miGradove",
                                    "miPodpisvane",
                                    "miPrintBlankaDeklaracia",
                                    "miPrintBlankaUvedomlenie",
                                    "miRabotenVariant",
                                    "miImportXML",
                                    "miRDirekcii"})
            QTest::newRow(pending) << pending << false;
    }
    void menuItemsEnabledOnlyWhereTheyWork()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        auto *action = window()->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void commandButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("btnAdd") << "btnAdd" << QStringLiteral("Създаване...")
                                << QStringLiteral("Създаване на нова декларация или уведомление")
                                << true; // creating works on an empty register
        QTest::newRow("btnEdit")
            << "btnEdit" << QStringLiteral("Редактиране...")
            << QStringLiteral(
                   "Редактиране на текущо маркираната в таблицата декларация или уведомление")
            << false;
        QTest::newRow("btnDelete")
            << "btnDelete" << QStringLiteral("Изтриване...")
            << QStringLiteral(
                   "Изтриване на текущо маркираната в таблицата декларация или уведомление")
            << false;
        QTest::newRow("btnPrint")
            << "btnPrint" << QStringLiteral("Печат...")
            << QStringLiteral(
                   "Отпечатване на текущо маркираната в таблицата декларация или уведомление")
            << false;
        QTest::newRow("btnGeneraetXML")
            << "btnGeneraetXML" << QStringLiteral("Създай XML файл...")
            << QStringLiteral("Създаване на XML файл за текущо маркираната в таблицата декларация "
                              "или уведомление")
            << false;
        QTest::newRow("btnClose") << "btnClose" << QStringLiteral("Изход")
                                  << QStringLiteral("Затваряне на софтуера КЕСП+.") << true;
    }
    void commandButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        auto *button = window()->findChild<QPushButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->isEnabled(), enabled);
    }

    void commandButtonsLeftToRight()
    {
        TfmDeklaracii *w = window();
        const QList<QPushButton *> order = {
            w->btnAdd, w->btnEdit, w->btnDelete, w->btnPrint, w->btnGeneraetXML, w->btnClose};
        for (qsizetype i = 1; i < order.size(); ++i)
            QVERIFY2(order[i - 1]->geometry().right() < order[i]->geometry().left(),
                     qPrintable(order[i]->objectName()));
    }

    void remoteSupport_data()
    {
        QTest::addColumn<Dialogs::Button>("answer");
        QTest::addColumn<bool>("filePresent");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("errorShown");
        QTest::newRow("No") << Dialogs::No << true << false << false;
        QTest::newRow("Yes, file missing") << Dialogs::Yes << false << false << true;
        QTest::newRow("Yes, file present") << Dialogs::Yes << true << true << false;
    }
    void remoteSupport()
    {
        QFETCH(Dialogs::Button, answer);
        QFETCH(bool, filePresent);
        QFETCH(bool, opened);
        QFETCH(bool, errorShown);

        test::TestFiles folder;
        const QString program = folder.path(QStringLiteral("KAVELTOR_Remote_Support.exe"));
        if (filePresent) {
            QFile f(program);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QStringList openedPaths;
        app::RemoteSupport &remote = window()->remoteSupport();
        remote.folder = folder.dir();
        remote.open = [&](const QString &path) { openedPaths << path; };
        m_boxes.answers = {answer};

        window()->miOtdalechenDostap->trigger();

        const QString question = QStringLiteral(
            "Ще бъде стартиран външен софтуер, който ще позволи на специалист от КАВЕЛТОР да "
            "получи достъп до Вашия компютър, за да Ви помогне за диагностициране и отстраняване "
            "на възникнал проблем.\n\r\n\rЖелаете ли да продължите?");
        const QString missing = QStringLiteral(
            "Файлът за стартиране на външния софтуер не беше открит.\n\r\n\rМоля, свържете се с "
            "Вашия системен администратор или с фирма КАВЕЛТОР за помощ!");
        QStringList expected{question};
        if (errorShown)
            expected << missing;
        QCOMPARE(m_boxes.texts(), expected);
        QCOMPARE(m_boxes.shown.first().icon, Dialogs::Icon::Question);
        QCOMPARE(m_boxes.shown.first().buttons, Dialogs::Yes | Dialogs::No);
        if (errorShown) {
            QCOMPARE(m_boxes.shown.last().icon, Dialogs::Icon::Error);
            QCOMPARE(m_boxes.shown.last().buttons, int(Dialogs::Ok));
        }
        QCOMPARE(openedPaths, opened ? QStringList{program} : QStringList());
    }

    void aboutFromTheMenu()
    {
        bool shownAsAbout = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            shownAsAbout = modal == app::fmSplash() && app::fmSplash()->isAbout;
            if (modal)
                QTest::keyClick(modal, Qt::Key_Escape);
            if (app::fmSplash()->isVisible())
                app::fmSplash()->done(0);
        });
        window()->miZaProgramata->trigger();
        QVERIFY(shownAsAbout);
        QVERIFY(!app::fmSplash()->isVisible());
        QVERIFY(m_boxes.shown.isEmpty());
    }

    void closingEndsWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("menu item") << "menu";
        QTest::newRow("button") << "button";
        QTest::newRow("close box") << "window";
    }
    void closingEndsWithoutAQuestion()
    {
        QFETCH(QString, how);
        TfmDeklaracii *w = window();
        QVERIFY(QApplication::quitOnLastWindowClosed());
        if (how == QLatin1String("menu"))
            w->miIzhod->trigger();
        else if (how == QLatin1String("button"))
            QTest::mouseClick(w->btnClose, Qt::LeftButton);
        else
            QVERIFY(w->close());
        QVERIFY(!w->isVisible());
        QVERIFY(m_boxes.shown.isEmpty());
    }
};

KESP_APP_TEST_MAIN(TestMainWindow)
#include "tst_app_window.moc"
