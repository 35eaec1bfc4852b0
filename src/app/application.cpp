#include "application.h"

#include "dialogs.h"
#include "errors.h"
#include "qtdialogs.h"

#include <QScreen>
#include <QWidget>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTranslator>

#include <exception>

namespace kesp::app {

namespace {

// Qt's Bulgarian catalogue says "Добре" on the OK button; the program's users and
// its own messages know the button as "OK", so that one text is kept as it is.
class ButtonTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char *context,
                      const char *sourceText,
                      const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(context, "QPlatformTheme") == 0 && qstrcmp(sourceText, "OK") == 0)
            return QStringLiteral("OK");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// Fusion, with plain buttons in message boxes as users of the program know them.
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    int styleHint(StyleHint hint,
                  const QStyleOption *option,
                  const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

QString appVersion()
{
#ifdef KESP_VERSION
    return QStringLiteral(KESP_VERSION);
#else
    return QString();
#endif
}

bool installBulgarianTranslation(QCoreApplication *app)
{
    auto *qtbase = new QTranslator(app);
    const bool found = qtbase->load(QStringLiteral("qtbase_bg"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found)
        app->installTranslator(qtbase);
    else
        delete qtbase;
    // Installed last, so it is asked first.
    app->installTranslator(new ButtonTexts(app));
    return found;
}

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_dialogs(std::make_unique<QtDialogs>())
{
    // Fusion honours palettes, which the field marking relies on.
    setStyle(new ProgramStyle);
    installBulgarianTranslation(this);
    setDialogs(m_dialogs.get());
}

Application::~Application()
{
    if (&dialogs() == m_dialogs.get())
        setDialogs(nullptr);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
    return false;
}

void Application::showError(const QString &message)
{
    dialogs().error(message);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect r(QPoint(), window->size());
    r.moveCenter(screen->availableGeometry().center());
    window->move(r.topLeft());
}

} // namespace kesp::app
