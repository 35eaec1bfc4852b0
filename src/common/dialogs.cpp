#include "dialogs.h"

namespace kesp {

namespace {
Dialogs *g_dialogs = nullptr;
}

Dialogs &dialogs()
{
    if (!g_dialogs) {
        static RecordingDialogs fallback;
        return fallback;
    }
    return *g_dialogs;
}

void setDialogs(Dialogs *instance)
{
    g_dialogs = instance;
}

Dialogs::Button RecordingDialogs::message(
    Icon icon, const QString &text, int buttons, Button defaultButton, const QString &)
{
    const Shown s{icon, text, buttons};
    shown.append(s);
    if (onShown)
        onShown(s);
    if (!answers.isEmpty())
        return answers.takeFirst();
    if (defaultButton != NoButton)
        return defaultButton;
    for (Button b : {Ok, Yes, No, Cancel})
        if (buttons & b)
            return b;
    return Ok;
}

QString RecordingDialogs::openFileName(const QString &, const QString &, const QString &)
{
    return paths.isEmpty() ? QString() : paths.takeFirst();
}

QString RecordingDialogs::saveFileName(const QString &, const QString &, const QString &)
{
    return paths.isEmpty() ? QString() : paths.takeFirst();
}

QString RecordingDialogs::existingDirectory(const QString &, const QString &)
{
    return paths.isEmpty() ? QString() : paths.takeFirst();
}

QStringList RecordingDialogs::texts() const
{
    QStringList out;
    for (const auto &s : shown)
        out << s.text;
    return out;
}

} // namespace kesp
