#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kesp {

// Every message box and file dialog of the program goes through this interface,
// so that each flow can be driven and checked without a screen.
class Dialogs
{
public:
    enum class Icon { Information, Warning, Error, Question };
    enum Button { NoButton = 0, Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    virtual ~Dialogs() = default;

    // Shows a modal box; returns the button pressed (Cancel/No when closed otherwise).
    virtual Button message(Icon icon,
                           const QString &text,
                           int buttons = Ok,
                           Button defaultButton = NoButton,
                           const QString &title = QString())
        = 0;

    // File dialogs return an empty string when the user cancels.
    virtual QString openFileName(const QString &title, const QString &dir, const QString &filter) = 0;
    virtual QString saveFileName(const QString &title,
                                 const QString &proposedPath,
                                 const QString &filter)
        = 0;
    virtual QString existingDirectory(const QString &title, const QString &dir) = 0;

    // Shorthands for the kinds of box the program uses.
    void information(const QString &text) { message(Icon::Information, text, Ok); }
    void warning(const QString &text) { message(Icon::Warning, text, Ok); }
    void error(const QString &text) { message(Icon::Error, text, Ok); }
    bool confirm(const QString &text)
    {
        return message(Icon::Question, text, Yes | No, Yes) == Yes;
    }
};

// The process-wide instance; the program installs the Qt one at start, tests a scripted one.
Dialogs &dialogs();
void setDialogs(Dialogs *instance);

// Records every box and answers from a script; the default when nothing else is set,
// and what the tests and the command-line tool use.
class RecordingDialogs : public Dialogs
{
public:
    struct Shown
    {
        Icon icon;
        QString text;
        int buttons;
    };

    Button message(Icon icon,
                   const QString &text,
                   int buttons,
                   Button defaultButton,
                   const QString &title) override;
    QString openFileName(const QString &title, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &title,
                         const QString &proposedPath,
                         const QString &filter) override;
    QString existingDirectory(const QString &title, const QString &dir) override;

    // Answers given in order to the boxes that offer a choice; when the script runs
    // out, the default button (or the first offered) is taken.
    QList<Button> answers;
    // Paths given in order to the file and folder dialogs; empty means "cancelled".
    QStringList paths;

    QList<Shown> shown;
    QStringList texts() const;
    void clear() { shown.clear(); }

    // Called after each box is recorded (the command-line tool prints it).
    std::function<void(const Shown &)> onShown;
};

} // namespace kesp
