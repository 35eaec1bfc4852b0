#include "remotesupport.h"

#include "dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kesp::app {

RemoteSupport::RemoteSupport()
    : folder(QCoreApplication::applicationDirPath())
    , open([](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
{
}

QString RemoteSupport::programPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("KAVELTOR_Remote_Support.exe"));
}

QString RemoteSupport::confirmationText()
{
    return QStringLiteral("Ще бъде стартиран външен софтуер, който ще позволи на специалист от "
                          "КАВЕЛТОР да получи достъп до Вашия компютър, за да Ви помогне за "
                          "диагностициране и отстраняване на възникнал проблем.") +
           QStringLiteral("\n\r\n\r") + QStringLiteral("Желаете ли да продължите?");
}

QString RemoteSupport::missingText()
{
    return QStringLiteral("Файлът за стартиране на външния софтуер не беше открит.") +
           QStringLiteral("\n\r\n\r") +
           QStringLiteral("Моля, свържете се с Вашия системен администратор или с фирма "
                          "КАВЕЛТОР за помощ!");
}

void RemoteSupport::run()
{
    if (!dialogs().confirm(confirmationText()))
        return;
    const QString path = programPath(folder);
    if (QFileInfo(path).isFile())
        open(path);
    else
        dialogs().error(missingText());
}

} // namespace kesp::app
