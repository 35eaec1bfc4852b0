#include "appmain.h"

#include "fmsplash.h"

#include <QTimer>

using namespace kesp::app;

namespace {

void act(QWidget *w, const QString &action)
{
    if (action == QLatin1String("esc"))
        QTest::keyClick(w, Qt::Key_Escape);
    else if (action == QLatin1String("click"))
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    else if (action == QLatin1String("other key"))
        QTest::keyClick(w, Qt::Key_Return);
    else if (action == QLatin1String("right click"))
        QTest::mouseClick(w, Qt::RightButton, {}, w->rect().center());
}

} // namespace

class TestSplash : public QObject
{
    Q_OBJECT
private slots:
    void shapeAndSize()
    {
        TfmSplash splash(TfmSplash::Instance::Temporary);
        QCOMPARE(splash.size(), QSize(314, 465));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        // Shaped by the picture: the centre belongs to the window, the corners do not.
        QVERIFY(splash.mask().contains(splash.rect().center()));
        QVERIFY(!splash.mask().contains(QPoint(0, 0)));
        QVERIFY(!splash.mask().contains(QPoint(313, 464)));
        QVERIFY(!splash.isAbout);
    }

    void startupSplashIgnoresKeysAndClicks_data()
    {
        QTest::addColumn<bool>("temporary");
        QTest::newRow("start-up instance") << true;
        QTest::newRow("lasting instance, not as About") << false;
    }
    void startupSplashIgnoresKeysAndClicks()
    {
        QFETCH(bool, temporary);
        TfmSplash splash(temporary ? TfmSplash::Instance::Temporary : TfmSplash::Instance::Lasting);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        for (const char *action : {"esc", "click", "other key", "right click"}) {
            act(&splash, QString::fromLatin1(action));
            QVERIFY2(splash.isVisible(), action);
        }
        QVERIFY(!splash.isAbout);
    }

    void aboutClosesOnEscOrClickEveryTime_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("click") << "click";
    }
    void aboutClosesOnEscOrClickEveryTime()
    {
        QFETCH(QString, action);
        TfmSplash about;
        QCOMPARE(fmSplash(), &about);
        for (int round = 1; round <= 3; ++round) {
            bool aboutWhileShown = false;
            bool ignoredOther = false;
            bool closedByAction = false;
            QTimer::singleShot(0, this, [&] {
                aboutWhileShown = QApplication::activeModalWidget() == &about && about.isAbout;
                act(&about, QStringLiteral("other key"));
                act(&about, QStringLiteral("right click"));
                ignoredOther = about.isVisible();
                act(&about, action);
                closedByAction = !about.isVisible();
                if (!closedByAction)
                    about.done(0); // do not leave the test waiting
            });
            about.FromAbout();
            QVERIFY2(aboutWhileShown, qPrintable(QString::number(round)));
            QVERIFY(ignoredOther);
            QVERIFY2(closedByAction, qPrintable(QString::number(round)));
            QVERIFY(!about.isAbout);
        }
    }
};

KESP_APP_TEST_MAIN(TestSplash)
#include "tst_app_splash.moc"
