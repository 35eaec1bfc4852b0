#pragma once

#include <QApplication>

#include <memory>

namespace kesp::app {

class QtDialogs;

// The program's application object: Fusion style, the Bulgarian texts of Qt's own
// buttons and dialogs, the Qt message boxes, and the last-resort error box.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    ~Application() override;

    // An error that escapes a command ends up here: one standard error box, and the
    // program goes on.
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the standard error box for a failure nobody else handled.
    static void showError(const QString &message);

private:
    std::unique_ptr<QtDialogs> m_dialogs;
};

// The program's version as four numbers joined by "." (major, minor, release,
// build), compiled in from the build; empty when the build gave none.
QString appVersion();

// Loads the Bulgarian translation of Qt's standard texts into the application,
// so message boxes and file dialogs speak Bulgarian. True when it was found.
bool installBulgarianTranslation(QCoreApplication *app);

// Places a window in the middle of the desktop's free area.
void centreOnScreen(QWidget *window);

} // namespace kesp::app
