#include "qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kesp::app {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

constexpr std::pair<Dialogs::Button, QMessageBox::StandardButton> kButtons[] = {
    {Dialogs::Ok, QMessageBox::Ok},
    {Dialogs::Cancel, QMessageBox::Cancel},
    {Dialogs::Yes, QMessageBox::Yes},
    {Dialogs::No, QMessageBox::No},
};

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QtDialogs::defaultTitle() : title;
}

} // namespace

QString QtDialogs::defaultTitle()
{
    return QStringLiteral("КЕСП+");
}

QString QtDialogs::displayText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QWidget *QtDialogs::ownerWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

Dialogs::Button QtDialogs::message(
    Icon icon, const QString &text, int buttons, Button defaultButton, const QString &title)
{
    QMessageBox box(ownerWindow());
    box.setIcon(toQt(icon));
    box.setWindowTitle(titleOr(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    QMessageBox::StandardButtons standard;
    for (const auto &[ours, qt] : kButtons)
        if (buttons & ours)
            standard |= qt;
    if (!standard)
        standard = QMessageBox::Ok;
    box.setStandardButtons(standard);
    for (const auto &[ours, qt] : kButtons)
        if (ours == defaultButton && (standard & qt))
            box.setDefaultButton(qt);

    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto &[ours, qt] : kButtons)
        if (pressed == qt)
            return ours;
    // Closed without a button: the refusing answer the box offers.
    if (buttons & Cancel)
        return Cancel;
    if (buttons & No)
        return No;
    return Ok;
}

QString QtDialogs::openFileName(const QString &title, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(ownerWindow(), titleOr(title), dir, filter);
}

QString
QtDialogs::saveFileName(const QString &title, const QString &proposedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(ownerWindow(), titleOr(title), proposedPath, filter);
}

QString QtDialogs::existingDirectory(const QString &title, const QString &dir)
{
    return QFileDialog::getExistingDirectory(ownerWindow(), titleOr(title), dir);
}

} // namespace kesp::app
