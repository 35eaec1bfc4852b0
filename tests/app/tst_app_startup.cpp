#include "appmain.h"

#include "dialogs.h"
#include "errors.h"
#include "fmdeklaracii.h"
#include "fmsplash.h"
#include "startup.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>

#include <stdexcept>

using namespace kesp;

namespace {

int visibleWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() ? 1 : 0;
    return n;
}

// Throws from its event handler, as a failing command would.
class Thrower : public QObject
{
public:
    QString kind;
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (kind == QLatin1String("kesp"))
            throw Error(QStringLiteral("Грешка на командата."));
        throw std::runtime_error("Грешка на библиотеката.");
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { setDialogs(nullptr); }

    void objectsAreCreatedInOrderAfterTheUpgradeBoxes()
    {
        test::TestFiles files;
        // A file of the first release: its upgrade shows boxes.
        const QString path = files.firstRelease(QStringLiteral("KESP.ddb"));
        QCoreApplication::setApplicationName(QStringLiteral("tst"));

        RecordingDialogs boxes;
        setDialogs(&boxes);
        QStringList events;
        QList<int> windowsAtBox;
        boxes.onShown = [&](const RecordingDialogs::Shown &) {
            events << QStringLiteral("box");
            windowsAtBox << visibleWindows();
        };

        QPointer<QWidget> temporary;
        bool splashIgnoredInput = false;
        QString titleWhenMainWindowMade;
        {
            app::Startup startup;
            startup.onCreated = [&](const QString &name, QObject *object) {
                events << name;
                if (name == app::Startup::temporarySplashName()) {
                    temporary = qobject_cast<QWidget *>(object);
                    // Painted and up; Esc and clicks do nothing to it.
                    QTest::keyClick(temporary, Qt::Key_Escape);
                    QTest::mouseClick(temporary, Qt::LeftButton, {}, temporary->rect().center());
                    splashIgnoredInput = temporary->isVisible();
                }
                if (name == QLatin1String("TfmDeklaracii"))
                    titleWhenMainWindowMade = QCoreApplication::applicationName();
            };
            QVERIFY(startup.run(path));

            const qsizetype boxCount = events.count(QStringLiteral("box"));
            QVERIFY(boxCount > 0);
            QCOMPARE(events.first(boxCount), QStringList(boxCount, QStringLiteral("box")));
            QCOMPARE(events.mid(boxCount),
                     (QStringList{QStringLiteral("TdmMain"),
                                  QStringLiteral("TfmSplash (temporary)"),
                                  QStringLiteral("TdmValidacii"),
                                  QStringLiteral("TfmDeklaracii"),
                                  QStringLiteral("TfmPodrazdelenia"),
                                  QStringLiteral("TfmCAS11Edit"),
                                  QStringLiteral("TfmPochivkiEdit"),
                                  QStringLiteral("TfmSplash"),
                                  QStringLiteral("TfmUpravlavashtEdit"),
                                  QStringLiteral("TfmKidEdit"),
                                  QStringLiteral("TfmCAS4Edit"),
                                  QStringLiteral("TfmDeklaraciaEdit"),
                                  QStringLiteral("TfmGreshki"),
                                  QStringLiteral("TfmInfoButonText"),
                                  QStringLiteral("TfmEIK")}));
            // The upgrade spoke before any window was up.
            QCOMPARE(windowsAtBox, QList<int>(boxCount, 0));
            QVERIFY(splashIgnoredInput);
            QCOMPARE(titleWhenMainWindowMade, QStringLiteral("КЕСП+"));
            // The start-up splash is gone; the lasting one is the About window.
            QVERIFY(temporary.isNull());
            QVERIFY(app::fmDeklaracii());
            QVERIFY(app::fmSplash());
            QVERIFY(!app::fmSplash()->isVisible());
            QCOMPARE(storage::dmMain()->path(), path);
        }
        // Everything goes with the start-up that made it.
        QVERIFY(!app::fmDeklaracii());
        QVERIFY(!app::fmSplash());
        QVERIFY(!storage::dmMain());
    }

    void aFailingCreationShowsOneBoxAfterTheSplashIsGone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("program error") << "kesp"
                                       << "Грешка при създаване.";
        QTest::newRow("library error") << "std"
                                       << "Грешка на библиотеката.";
    }
    void aFailingCreationShowsOneBoxAfterTheSplashIsGone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        test::TestFiles files;
        const QString path = files.delivered();

        RecordingDialogs boxes;
        setDialogs(&boxes);
        QPointer<QObject> temporary;
        bool splashGoneAtBox = false;
        boxes.onShown = [&](const RecordingDialogs::Shown &) {
            splashGoneAtBox = temporary.isNull();
        };

        app::Startup startup;
        startup.onCreated = [&](const QString &name, QObject *object) {
            if (name == app::Startup::temporarySplashName())
                temporary = object;
        };
        startup.steps.insert(1, {QStringLiteral("Failing"), [&]() -> QObject * {
                                     if (kind == QLatin1String("kesp"))
                                         throw Error(message);
                                     throw std::runtime_error(message.toStdString());
                                 }});
        QVERIFY(!startup.run(path));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().icon, Dialogs::Icon::Error);
        QCOMPARE(boxes.shown.first().text, message);
        QVERIFY(splashGoneAtBox);
        QVERIFY(temporary.isNull());
    }

    void aMissingDatabaseShowsOneBoxAndCreatesNothing()
    {
        test::TestFiles files;
        const QString path = files.path(QStringLiteral("KESP.ddb"));
        RecordingDialogs boxes;
        setDialogs(&boxes);
        QStringList created;

        app::Startup startup;
        startup.onCreated = [&](const QString &name, QObject *) { created << name; };
        QVERIFY(!startup.run(path));

        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().icon, Dialogs::Icon::Error);
        QVERIFY2(boxes.shown.first().text.contains(QDir::toNativeSeparators(path)),
                 qPrintable(boxes.shown.first().text));
        QVERIFY(created.isEmpty());
        QVERIFY(!app::fmDeklaracii());
        QCOMPARE(QDir(files.dir()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void anErrorEscapingACommandShowsOneBoxAndTheProgramGoesOn_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("program error") << "kesp"
                                       << "Грешка на командата.";
        QTest::newRow("library error") << "std"
                                       << "Грешка на библиотеката.";
    }
    void anErrorEscapingACommandShowsOneBoxAndTheProgramGoesOn()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        RecordingDialogs boxes;
        setDialogs(&boxes);

        Thrower thrower;
        thrower.kind = kind;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &event);
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.shown.first().icon, Dialogs::Icon::Error);

        // A button whose command fails, pressed twice: a box each time, nothing more.
        QPushButton button(QStringLiteral("Команда"));
        connect(&button, &QPushButton::clicked, &button, [&] {
            if (kind == QLatin1String("kesp"))
                throw Error(message);
            throw std::runtime_error(message.toStdString());
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList(3, message));
        QVERIFY(button.isVisible());
    }
};

KESP_APP_TEST_MAIN(TestStartup)
#include "tst_app_startup.moc"
