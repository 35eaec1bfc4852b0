#pragma once

#include "dialogs.h"

class QWidget;

namespace kesp::app {

// The program's boxes and file dialogs, on Qt widgets.
class QtDialogs : public Dialogs
{
public:
    Button message(Icon icon,
                   const QString &text,
                   int buttons = Ok,
                   Button defaultButton = NoButton,
                   const QString &title = QString()) override;
    QString openFileName(const QString &title, const QString &dir, const QString &filter) override;
    QString
    saveFileName(const QString &title, const QString &proposedPath, const QString &filter) override;
    QString existingDirectory(const QString &title, const QString &dir) override;

    // The caption used when a box is given none.
    static QString defaultTitle();
    // The program's messages break lines as LF CR; on screen each break is one line.
    static QString displayText(const QString &text);
    // The window a box belongs to: the open modal window, else the active one.
    static QWidget *ownerWindow();
};

} // namespace kesp::app
