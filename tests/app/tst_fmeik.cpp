#include "appmain.h"

#include "fmeik.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using kesp::app::TfmEIK;

class TestNewDocumentDialog : public QObject
{
    Q_OBJECT

    // Acts on the dialog once it is up, as a person would.
    void whenShown(TfmEIK &dlg, std::function<void()> act)
    {
        QTimer::singleShot(0, &dlg, [&dlg, act] {
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            act();
        });
    }

private slots:
    void kindAndIdentifier_data()
    {
        QTest::addColumn<bool>("notification");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("declaration, OK") << false << "ok" << 1;
        QTest::newRow("notification, OK") << true << "ok" << 2;
        QTest::newRow("Enter presses OK") << false << "enter" << 1;
        QTest::newRow("Отказ") << true << "cancel" << 0;
        QTest::newRow("Esc") << false << "esc" << 0;
    }
    void kindAndIdentifier()
    {
        QFETCH(bool, notification);
        QFETCH(QString, how);
        QFETCH(int, result);
        TfmEIK dlg;
        dlg.edtEIK->setText(QStringLiteral("остатък"));
        dlg.rbUvedomlenie->setChecked(true);
        whenShown(dlg, [&] {
            // Every showing starts empty, on "Декларация".
            QVERIFY(dlg.edtEIK->text().isEmpty());
            QVERIFY(dlg.rbDeklaracia->isChecked());
            QTest::keyClicks(dlg.edtEIK, QStringLiteral("123456789"));
            if (notification)
                QTest::mouseClick(dlg.rbUvedomlenie, Qt::LeftButton);
            if (how == QLatin1String("ok"))
                QTest::mouseClick(dlg.btnOK, Qt::LeftButton);
            else if (how == QLatin1String("enter"))
                QTest::keyClick(dlg.edtEIK, Qt::Key_Return);
            else if (how == QLatin1String("cancel"))
                QTest::mouseClick(dlg.btnCancel, Qt::LeftButton);
            else
                QTest::keyClick(&dlg, Qt::Key_Escape);
        });
        QCOMPARE(dlg.SelectDocument(), result);
        // The identifier stays for the carry-over to read.
        QCOMPARE(dlg.edtEIK->text(), QStringLiteral("123456789"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Нова декларация или уведомление"));
    }
};

KESP_APP_TEST_MAIN(TestNewDocumentDialog)
#include "tst_fmeik.moc"
