#include "startup.h"

#include "application.h"
#include "dialogs.h"
#include "errors.h"
#include "fmdeklaracii.h"
#include "editoradapters.h"
#include "fmcas11edit.h"
#include "fmcas4edit.h"
#include "fmdeklaraciaedit.h"
#include "fmeik.h"
#include "fminfobutontext.h"
#include "fmkidedit.h"
#include "fmpochivkiedit.h"
#include "fmpodrazdelenia.h"
#include "fmupravlavashtedit.h"
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
        {QStringLiteral("TfmPodrazdelenia"), [] { return new declaration::TfmPodrazdelenia(fmDeklaracii()); }},
        {QStringLiteral("TfmCAS11Edit"), [] { return new declaration::TfmCAS11Edit(fmDeklaracii()); }},
        {QStringLiteral("TfmPochivkiEdit"), [] { return new declaration::TfmPochivkiEdit(fmDeklaracii()); }},
        {QStringLiteral("TfmSplash"), [] { return new TfmSplash(TfmSplash::Instance::Lasting); }},
        {QStringLiteral("TfmUpravlavashtEdit"), [] { return new declaration::TfmUpravlavashtEdit(fmDeklaracii()); }},
        {QStringLiteral("TfmKidEdit"), [] { return new declaration::TfmKidEdit(fmDeklaracii()); }},
        {QStringLiteral("TfmCAS4Edit"), [] { return new declaration::TfmCAS4Edit(fmDeklaracii()); }},
        // TfmGradove
        // TfmCAS
        // TfmRDirekcii
        // TfmKid
        // TdmReport
        // TdmIE
        {QStringLiteral("TfmDeklaraciaEdit"), [] { return new declaration::TfmDeklaraciaEdit(fmDeklaracii()); }},
        {QStringLiteral("TfmGreshki"), [] { return new declaration::TfmGreshki; }},
        {QStringLiteral("TfmInfoButonText"), [] { return new registers::TfmInfoButonText(fmDeklaracii()); }},
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
            connectStartupObjects();
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
