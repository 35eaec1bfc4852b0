#include "startup.h"

#include "application.h"
#include "dialogs.h"
#include "errors.h"
#include "fmdeklaracii.h"
#include "fmeik.h"
#include "fmgreshki.h"
#include "fmsplash.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <exception>

namespace kesp::app {

QList<CreationStep> creationSteps()
{
    // The order matters: the rules module before the main window, whose creation
    // loads the rules; the main window first of the windows, since closing it ends
    // the program. Each object not yet built is named in its place.
    return {
        {QStringLiteral("TdmValidacii"), [] { return new rules::TdmValidacii; }},
        {QStringLiteral("TfmDeklaracii"), [] { return new TfmDeklaracii; }},
        // TfmPodrazdelenia
        // TfmCAS11Edit
        // TfmPochivkiEdit
        {QStringLiteral("TfmSplash"), [] { return new TfmSplash(TfmSplash::Instance::Lasting); }},
        // TfmUpravlavashtEdit
        // TfmKidEdit
        // TfmCAS4Edit
        // TfmGradove
        // TfmCAS
        // TfmRDirekcii
        // TfmKid
        // TdmReport
        // TdmIE
        // TfmDeklaraciaEdit
        {QStringLiteral("TfmGreshki"), [] { return new declaration::TfmGreshki; }},
        // TfmInfoButonText
        // TfmUvedomlenieEdit
        {QStringLiteral("TfmEIK"), [] { return new TfmEIK(fmDeklaracii()); }},
        // TfmNewVersion
    };
}

Startup::Startup()
    : steps(creationSteps())
{
}

Startup::~Startup()
{
    while (!m_objects.empty())
        m_objects.pop_back();
    m_dmMain.reset();
}

QString Startup::temporarySplashName()
{
    return QStringLiteral("TfmSplash (temporary)");
}

void Startup::created(const QString &name, QObject *object)
{
    if (onCreated)
        onCreated(name, object);
}

bool Startup::run(const QString &databasePath)
{
    try {
        // The database first, with the upgrade's boxes, before any window exists.
        m_dmMain = std::make_unique<storage::TdmMain>(databasePath);
        created(QStringLiteral("TdmMain"), m_dmMain.get());

        {
            // Gone when this block is left, also when a creation fails.
            const auto splash = std::make_unique<TfmSplash>(TfmSplash::Instance::Temporary);
            splash->show();
            splash->repaint();
            // Let the window system map it before the long work starts.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            created(temporarySplashName(), splash.get());

            // Message boxes and the task bar name the program by this title.
            QCoreApplication::setApplicationName(QStringLiteral("КЕСП+"));

            for (const CreationStep &step : steps) {
                m_objects.emplace_back(step.create());
                created(step.name, m_objects.back().get());
            }
        }
        return true;
    } catch (const Error &e) {
        dialogs().error(e.message());
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
    }
    return false;
}

int Startup::exec()
{
    if (TfmDeklaracii *main = fmDeklaracii())
        main->show();
    return QCoreApplication::exec();
}

} // namespace kesp::app
