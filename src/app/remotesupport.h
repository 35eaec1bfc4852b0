#pragma once

#include <QString>

#include <functional>

namespace kesp::app {

// Starts the separate remote-support program on the user's request.
class RemoteSupport
{
public:
    RemoteSupport();

    // Asks, then opens the program beside the executable, or says it is missing.
    void run();

    // The program's file in the given folder.
    static QString programPath(const QString &folder);
    static QString confirmationText();
    static QString missingText();

    // Where the program is looked for: the folder of the running executable.
    QString folder;
    // Hands the file to the desktop, without waiting for it; replaceable for tests.
    std::function<void(const QString &path)> open;
};

} // namespace kesp::app
