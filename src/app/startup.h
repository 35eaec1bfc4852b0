#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kesp::storage {
class TdmMain;
}

namespace kesp::app {

class TfmDeklaracii;

// One window or data module that exists once per process.
struct CreationStep
{
    // The class, as start-up reports it.
    QString name;
    // Makes the object; start-up owns it from then on.
    std::function<QObject *()> create;
};

// The objects made after the splash is up, in their fixed order. A new window or
// data module of the program takes its place in this list.
QList<CreationStep> creationSteps();

// The program from start to exit: the database, the splash, every process-wide
// object in its order, the main window. Owns all of them and frees them, last made
// first, when it is destroyed.
class Startup
{
public:
    Startup();
    ~Startup();
    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

    // The steps run() will take after the splash; tests may change them beforehand.
    QList<CreationStep> steps;

    // Told of each object once it is made and, for the splash, shown and painted.
    std::function<void(const QString &name, QObject *object)> onCreated;

    // Opens the database and creates everything. False when the program cannot go
    // on; the one error box has then been shown.
    bool run(const QString &databasePath);

    // Shows the main window and runs the message loop until it closes.
    int exec();

    // The name under which the start-up splash is reported.
    static QString temporarySplashName();

private:
    void created(const QString &name, QObject *object);

    std::unique_ptr<storage::TdmMain> m_dmMain;
    std::vector<std::unique_ptr<QObject>> m_objects;
};

} // namespace kesp::app
