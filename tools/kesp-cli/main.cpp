// Command-line companion of the program: builds and upgrades database files.
#include "dataloader.h"
#include "dialogs.h"
#include "errors.h"
#include "tdmmain.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace kesp;

namespace {

int usage()
{
    QTextStream(stderr) << "Употреба:\n"
                           "  kesp-cli db build ФАЙЛ [--data ПАПКА]   нов файл с доставяните данни\n"
                           "  kesp-cli db upgrade ФАЙЛ                обновяване на съществуващ файл\n";
    return 2;
}

// Prints every box the upgrade would show, one line each.
class PrintingDialogs : public RecordingDialogs
{
public:
    PrintingDialogs()
    {
        onShown = [](const Shown &s) {
            QString line = s.text;
            line.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
            QTextStream(stdout) << line << Qt::endl;
        };
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3 || args.at(0) != QLatin1String("db"))
        return usage();

    PrintingDialogs printing;
    setDialogs(&printing);
    const QString command = args.at(1);
    const QString file = args.at(2);
    try {
        if (command == QLatin1String("build")) {
            QString data = QStringLiteral(KESP_DATA_DIR);
            const qsizetype i = args.indexOf(QStringLiteral("--data"));
            if (i > 0 && i + 1 < args.size())
                data = args.at(i + 1);
            storage::buildDeliveredDatabase(file, data);
            return 0;
        }
        if (command == QLatin1String("upgrade")) {
            storage::TdmMain dm(file);
            return 0;
        }
    } catch (const Error &e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return 1;
    }
    return usage();
}
