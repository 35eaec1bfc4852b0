#include "appmain.h"

#include "qtdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace kesp;
using app::QtDialogs;

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT
private slots:
    void messageBoxes_data()
    {
        QTest::addColumn<Dialogs::Icon>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<Dialogs::Button>("defaultButton");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QMessageBox::Icon>("qtIcon");
        QTest::addColumn<QString>("press"); // a caption, or "esc"
        QTest::addColumn<Dialogs::Button>("result");

        const int yesNo = Dialogs::Yes | Dialogs::No;
        const int okCancel = Dialogs::Ok | Dialogs::Cancel;
        QTest::newRow("question, Yes")
            << Dialogs::Icon::Question << yesNo << Dialogs::Yes << QString()
            << QStringList{"Да", "Не"} << QMessageBox::Question << "Да" << Dialogs::Yes;
        QTest::newRow("question, No")
            << Dialogs::Icon::Question << yesNo << Dialogs::Yes << QString()
            << QStringList{"Да", "Не"} << QMessageBox::Question << "Не" << Dialogs::No;
        QTest::newRow("question, Esc means No")
            << Dialogs::Icon::Question << yesNo << Dialogs::No << QString()
            << QStringList{"Да", "Не"} << QMessageBox::Question << "esc" << Dialogs::No;
        QTest::newRow("error, OK")
            << Dialogs::Icon::Error << int(Dialogs::Ok) << Dialogs::NoButton << QString()
            << QStringList{"OK"} << QMessageBox::Critical << "OK" << Dialogs::Ok;
        QTest::newRow("confirmation, Cancel")
            << Dialogs::Icon::Warning << okCancel << Dialogs::Ok << QStringLiteral("Изтриване")
            << QStringList{"OK", "Отказ"} << QMessageBox::Warning << "Отказ" << Dialogs::Cancel;
        QTest::newRow("confirmation, Esc means Cancel")
            << Dialogs::Icon::Information << okCancel << Dialogs::Ok << QString()
            << QStringList{"OK", "Отказ"} << QMessageBox::Information << "esc" << Dialogs::Cancel;
    }
    void messageBoxes()
    {
        QFETCH(Dialogs::Icon, icon);
        QFETCH(int, buttons);
        QFETCH(Dialogs::Button, defaultButton);
        QFETCH(QString, title);
        QFETCH(QStringList, captions);
        QFETCH(QMessageBox::Icon, qtIcon);
        QFETCH(QString, press);
        QFETCH(Dialogs::Button, result);

        QStringList seenCaptions;
        QString seenTitle, seenText, seenDefault;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            if (box->defaultButton())
                seenDefault = plain(box->defaultButton()->text());
            QAbstractButton *toPress = nullptr;
            for (QAbstractButton *b : box->buttons()) {
                seenCaptions << plain(b->text());
                if (plain(b->text()) == press)
                    toPress = b;
            }
            seenCaptions.sort();
            if (toPress)
                toPress->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QtDialogs boxes;
        const Dialogs::Button answer = boxes.message(
            icon, QStringLiteral("Първи ред.\n\r\n\rВтори ред."), buttons, defaultButton, title);
        captions.sort();
        QCOMPARE(seenCaptions, captions);
        QCOMPARE(seenTitle, title.isEmpty() ? QStringLiteral("КЕСП+") : title);
        QCOMPARE(seenText, QStringLiteral("Първи ред.\n\nВтори ред."));
        QCOMPARE(seenIcon, qtIcon);
        if (defaultButton == Dialogs::Yes)
            QCOMPARE(seenDefault, QStringLiteral("Да"));
        QCOMPARE(answer, result);
    }

    void fileDialogsSpeakBulgarian()
    {
        QString seenTitle;
        bool cancelOffered = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seenTitle = dialog->windowTitle();
            for (QPushButton *b : dialog->findChildren<QPushButton *>())
                cancelOffered |= plain(b->text()) == QStringLiteral("Отказ");
            dialog->reject();
        });
        QtDialogs dialogs;
        QCOMPARE(dialogs.openFileName(QString(), QDir::tempPath(), QStringLiteral("XML (*.xml)")),
                 QString());
        QCOMPARE(seenTitle, QStringLiteral("КЕСП+"));
        QVERIFY(cancelOffered);
    }
};

KESP_APP_TEST_MAIN(TestQtDialogs)
#include "tst_app_dialogs.moc"
