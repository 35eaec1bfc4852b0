#include "appmain.h"

#include "database.h"
#include "dialogs.h"
#include "documentregister.h"
#include "fmdeklaracii.h"
#include "fmdeklaraciaedit.h"
#include "fmeik.h"
#include "startup.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace kesp;

namespace {

// Runs an action on the next modal window of the given kind once it is up, as a
// person would; gives up after a few seconds.
template<typename Window>
void onModal(std::function<void(Window *)> act)
{
    auto *poll = new QTimer;
    auto deadline = std::make_shared<int>(300);
    QObject::connect(poll, &QTimer::timeout, [poll, act, deadline] {
        if (auto *w = qobject_cast<Window *>(QApplication::activeModalWidget()); w && w->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(w);
        } else if (--*deadline == 0) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

} // namespace

class TestAppFlows : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<app::Startup> m_startup;
    RecordingDialogs m_boxes;

    app::TfmDeklaracii *window() { return app::fmDeklaracii(); }
    int documents() { return storage::scalar(storage::dmMain()->database(), QStringLiteral("select count(*) from DEKLARACIA")).toInt(); }

    void createThrough(const QString &eik, const char *closeWith)
    {
        onModal<app::TfmEIK>([eik, closeWith](app::TfmEIK *dlg) {
            QTest::keyClicks(dlg->edtEIK, eik);
            onModal<declaration::TfmDeklaraciaEdit>([closeWith](declaration::TfmDeklaraciaEdit *editor) {
                QTest::mouseClick(editor->findChild<QPushButton *>(QLatin1String(closeWith)), Qt::LeftButton);
            });
            QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
        });
        QTest::mouseClick(window()->btnAdd, Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_boxes = RecordingDialogs();
        setDialogs(&m_boxes);
        m_startup = std::make_unique<app::Startup>();
        QVERIFY(m_startup->run(m_files.delivered()));
        window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }
    void cleanup()
    {
        m_startup.reset();
        setDialogs(nullptr);
    }

    void abandonedNewDeclarationLeavesNothing()
    {
        createThrough(QStringLiteral("121212120"), "btnCancel");
        QCOMPARE(documents(), 0);
        QCOMPARE(window()->documentRegister().gridData().rowCount(), 0);
        QVERIFY(!window()->btnEdit->isEnabled());
    }

    void savedNewDeclarationAppearsSelected()
    {
        createThrough(QStringLiteral("121212120"), "btnOK");
        QCOMPARE(documents(), 1);
        app::DocumentRegister &reg = window()->documentRegister();
        QCOMPARE(reg.gridData().rowCount(), 1);
        QCOMPARE(reg.currentValue(QStringLiteral("I_EIK")).toString(), QStringLiteral("121212120"));
        QCOMPARE(reg.currentValue(QStringLiteral("GODINA")).toInt(), 2010);
        QVERIFY(window()->btnEdit->isEnabled());

        // The next one for the same employer offers the carry-over.
        m_boxes.answers = {Dialogs::Yes};
        createThrough(QStringLiteral("121212120"), "btnOK");
        QCOMPARE(documents(), 2);
        QVERIFY(m_boxes.texts().join(QLatin1Char('\n')).contains(QStringLiteral("Желаете ли данните от нея")));
    }

    void deletingAskedAndDeclined()
    {
        createThrough(QStringLiteral("121212120"), "btnOK");
        m_boxes.clear();
        m_boxes.answers = {Dialogs::No};
        QTest::mouseClick(window()->btnDelete, Qt::LeftButton);
        QCOMPARE(m_boxes.shown.size(), 1);
        QVERIFY(m_boxes.shown.first().text.startsWith(QStringLiteral("Сигурни ли сте, че желаете да изтриете декларацията")));
        QCOMPARE(documents(), 1);
        m_boxes.answers = {Dialogs::Yes};
        QTest::mouseClick(window()->btnDelete, Qt::LeftButton);
        QCOMPARE(documents(), 0);
        QCOMPARE(storage::scalar(storage::dmMain()->database(), QStringLiteral("select count(*) from DEKLARACIA2")).toInt(), 0);
    }
};

KESP_APP_TEST_MAIN(TestAppFlows)
#include "tst_app_flows.moc"
