#include "fmdeklaracii.h"

#include "application.h"
#include "documentregister.h"
#include "fmsplash.h"
#include "icons.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"

#include <QGroupBox>
#include <QTableView>

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kesp::app {

namespace {

TfmDeklaracii *g_fmDeklaracii = nullptr;

QMenu *addMenu(QMenuBar *bar, const QString &caption, const QString &name)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QAction *addItem(QMenu *menu, const QString &caption, const QString &name, IconKind picture)
{
    QAction *action = menu->addAction(icon(picture), caption);
    action->setObjectName(name);
    action->setIconVisibleInMenu(true);
    return action;
}

} // namespace

TfmDeklaracii *fmDeklaracii()
{
    return g_fmDeklaracii;
}

TfmDeklaracii::TfmDeklaracii(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("fmDeklaracii"));
    setWindowTitle(QStringLiteral("КЕСП+"));
    // A fixed window with only the minimise and close buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    buildMenu();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientSize);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_registerArea = new QWidget(client);
    m_registerArea->setObjectName(QStringLiteral("registerArea"));
    m_registerLayout = new QVBoxLayout(m_registerArea);
    m_registerLayout->setContentsMargins(6, 4, 6, 0);
    m_registerLayout->setSpacing(6);

    auto *filter = new QGroupBox(QStringLiteral(" Филтър "), m_registerArea);
    filter->setObjectName(QStringLiteral("filterPlaceholder"));
    filter->setFixedHeight(kFilterHeight);
    auto *grid = new QFrame(m_registerArea);
    grid->setObjectName(QStringLiteral("gridPlaceholder"));
    grid->setFrameShape(QFrame::StyledPanel);
    grid->setFrameShadow(QFrame::Sunken);
    grid->setBackgroundRole(QPalette::Base);
    grid->setAutoFillBackground(true);
    m_registerLayout->addWidget(filter);
    m_registerLayout->addWidget(grid, 1);
    m_filterGroup = filter;
    m_grid = grid;

    column->addWidget(m_registerArea, 1);
    column->addWidget(buildBottomBar());
    setCentralWidget(client);

    // The rule texts and the rule-field links are read once, before any window shows.
    if (rules::TdmValidacii *rulesModule = rules::dmValidacii()) {
        rulesModule->UpdatePravila();
        rulesModule->UpdatePoletaPravila();
    }

    m_register = new DocumentRegister(this);
    m_register->filterGroup()->setFixedHeight(kFilterHeight);
    setRegisterWidgets(m_register->filterGroup(), m_register->grid());
    connect(btnAdd, &QPushButton::clicked, m_register, &DocumentRegister::createDocument);
    connect(btnEdit, &QPushButton::clicked, m_register, &DocumentRegister::openDocument);
    connect(btnDelete, &QPushButton::clicked, m_register, &DocumentRegister::deleteDocument);
    connect(m_register, &DocumentRegister::commandsEnabled, this, [this](bool enabled) {
        for (QPushButton *b : {btnEdit, btnDelete, btnPrint, btnGeneraetXML})
            b->setEnabled(enabled && b->property("built").toBool());
        miRabotenVariant->setEnabled(enabled && miRabotenVariant->property("built").toBool());
    });
    connect(m_register, &DocumentRegister::currentDocumentTypeChanged, this, [this](int type) {
        if (type == 1)
            miRabotenVariant->setText(
                QStringLiteral("Отпечатване на работен вариант на избраната декларация..."));
        else if (type == 2)
            miRabotenVariant->setText(
                QStringLiteral("Отпечатване на работен вариант на избраното уведомление..."));
    });

    // The client area is fixed; the menu bar comes on top of it.
    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    centreOnScreen(this);

    g_fmDeklaracii = this;
}

TfmDeklaracii::~TfmDeklaracii()
{
    if (g_fmDeklaracii == this)
        g_fmDeklaracii = nullptr;
}

QString TfmDeklaracii::GetAppVersion()
{
    return appVersion();
}

void TfmDeklaracii::buildMenu()
{
    miProgram = addMenu(menuBar(), QStringLiteral("Програма"), QStringLiteral("miProgram"));
    miIzhod =
        addItem(miProgram, QStringLiteral("Изход"), QStringLiteral("miIzhod"), IconKind::Exit);
    miNomenklaturi =
        addMenu(menuBar(), QStringLiteral("Номенклатури"), QStringLiteral("miNomenklaturi"));
    miKid = addItem(miNomenklaturi,
                    QStringLiteral("Регистър на иконимическите дейности (КИД 2008)..."),
                    QStringLiteral("miKid"),
                    IconKind::Activities);
    miCAS = addItem(miNomenklaturi,
                    QStringLiteral("Регистър на химичните агенти (CAS)..."),
                    QStringLiteral("miCAS"),
                    IconKind::Chemicals);
    miGradove = addItem(miNomenklaturi,
                        QStringLiteral("Регистър на населените места (ЕКАТТЕ)..."),
                        QStringLiteral("miGradove"),
                        IconKind::Settlements);
    miInstrumenti =
        addMenu(menuBar(), QStringLiteral("Инструменти"), QStringLiteral("miInstrumenti"));
    miPodpisvane = addItem(miInstrumenti,
                           QStringLiteral("Подписване с УЕП..."),
                           QStringLiteral("miPodpisvane"),
                           IconKind::Sign);
    miInstrumenti->addSeparator();
    miPrintBlankaDeklaracia =
        addItem(miInstrumenti,
                QStringLiteral("Отпечатване на непопълнена бланка за Декларация..."),
                QStringLiteral("miPrintBlankaDeklaracia"),
                IconKind::BlankDeclaration);
    miPrintBlankaUvedomlenie =
        addItem(miInstrumenti,
                QStringLiteral("Отпечатване на непопълнена бланка за Уведомление..."),
                QStringLiteral("miPrintBlankaUvedomlenie"),
                IconKind::BlankNotification);
    miRabotenVariant =
        addItem(miInstrumenti,
                QStringLiteral("Отпечатване на работен вариант на избраната декларация..."),
                QStringLiteral("miRabotenVariant"),
                IconKind::WorkingCopy);
    miInstrumenti->addSeparator();
    miImportXML = addItem(miInstrumenti,
                          QStringLiteral("Импортиране на декларация от XML..."),
                          QStringLiteral("miImportXML"),
                          IconKind::Import);
    miPomosht = addMenu(menuBar(), QStringLiteral("Помощ"), QStringLiteral("miPomosht"));
    miRDirekcii =
        addItem(miPomosht,
                QStringLiteral("Регионални дирекции на ИА \"Главна инспекция по труда\"..."),
                QStringLiteral("miRDirekcii"),
                IconKind::Directorates);
    miPomosht->addSeparator();
    miOtdalechenDostap = addItem(miPomosht,
                                 QStringLiteral("Отдалечен достъп до този компютър..."),
                                 QStringLiteral("miOtdalechenDostap"),
                                 IconKind::RemoteSupport);
    miPomosht->addSeparator();
    miZaProgramata = addItem(miPomosht,
                             QStringLiteral("За програмата..."),
                             QStringLiteral("miZaProgramata"),
                             IconKind::About);

    connect(miIzhod, &QAction::triggered, this, &QWidget::close);
    connect(miOtdalechenDostap, &QAction::triggered, this, &TfmDeklaracii::miOtdalechenDostapClick);
    connect(miZaProgramata, &QAction::triggered, this, &TfmDeklaracii::miZaProgramataClick);

    // Their windows and flows come with the register, the printing, the XML
    // interchange, the signing and the reference registers.
    for (QAction *pending : {miKid,
                             miCAS,
                             miGradove,
                             miPodpisvane,
                             miPrintBlankaDeklaracia,
                             miPrintBlankaUvedomlenie,
                             miRabotenVariant,
                             miImportXML,
                             miRDirekcii})
        pending->setEnabled(false);
}

QWidget *TfmDeklaracii::buildBottomBar()
{
    auto *bar = new QWidget;
    bar->setObjectName(QStringLiteral("bottomBar"));
    bar->setFixedHeight(kBottomBarHeight);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 8, 6, 9);
    row->setSpacing(6);

    auto addButton =
        [&](const QString &caption, const QString &hint, const QString &name, IconKind picture) {
            auto *button = new QPushButton(icon(picture), caption, bar);
            button->setObjectName(name);
            button->setToolTip(hint);
            button->setMinimumWidth(112);
            button->setFixedHeight(27);
            button->setAutoDefault(false);
            row->addWidget(button);
            return button;
        };
    btnAdd = addButton(QStringLiteral("Създаване..."),
                       QStringLiteral("Създаване на нова декларация или уведомление"),
                       QStringLiteral("btnAdd"),
                       IconKind::Add);
    btnEdit = addButton(
        QStringLiteral("Редактиране..."),
        QStringLiteral("Редактиране на текущо маркираната в таблицата декларация или уведомление"),
        QStringLiteral("btnEdit"),
        IconKind::Edit);
    btnDelete = addButton(
        QStringLiteral("Изтриване..."),
        QStringLiteral("Изтриване на текущо маркираната в таблицата декларация или уведомление"),
        QStringLiteral("btnDelete"),
        IconKind::Delete);
    btnPrint = addButton(
        QStringLiteral("Печат..."),
        QStringLiteral("Отпечатване на текущо маркираната в таблицата декларация или уведомление"),
        QStringLiteral("btnPrint"),
        IconKind::Print);
    btnGeneraetXML = addButton(
        QStringLiteral("Създай XML файл..."),
        QStringLiteral(
            "Създаване на XML файл за текущо маркираната в таблицата декларация или уведомление"),
        QStringLiteral("btnGeneraetXML"),
        IconKind::Xml);
    row->addStretch(1);
    btnClose = addButton(QStringLiteral("Изход"),
                         QStringLiteral("Затваряне на софтуера КЕСП+."),
                         QStringLiteral("btnClose"),
                         IconKind::Exit);

    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    // Creating needs the register and the editors; the row commands also need a row.
    for (QPushButton *pending : {btnAdd, btnEdit, btnDelete, btnPrint, btnGeneraetXML})
        pending->setEnabled(false);
    return bar;
}

void TfmDeklaracii::setRegisterWidgets(QWidget *filterGroup, QWidget *grid)
{
    const auto swap = [&](QWidget *&current, QWidget *replacement) {
        if (!replacement || replacement == current)
            return;
        replacement->setParent(m_registerArea);
        delete m_registerLayout->replaceWidget(current, replacement);
        delete current;
        current = replacement;
    };
    swap(m_filterGroup, filterGroup);
    swap(m_grid, grid);
    m_registerLayout->setStretchFactor(m_grid, 1);
}

void TfmDeklaracii::setDeclarationEditor(DocumentEditor *editor, std::function<int()> selectDocument)
{
    m_register->declarations = editor;
    m_register->selectDocument = std::move(selectDocument);
    const bool ready = editor && m_register->selectDocument;
    btnAdd->setEnabled(ready);
    for (QPushButton *b : {btnEdit, btnDelete})
        b->setProperty("built", ready);
    btnEdit->setEnabled(ready && m_register->gridData().rowCount() > 0);
    btnDelete->setEnabled(btnEdit->isEnabled());
}

void TfmDeklaracii::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A restore from the task bar is not a showing of the window.
    if (!event->spontaneous())
        FormShow();
}

void TfmDeklaracii::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TfmDeklaracii::FormShow()
{
    if (storage::dmMain())
        m_register->openLists();
    // The keyboard starts in the filter, on its first control.
    for (QWidget *w : m_filterGroup->findChildren<QWidget *>()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus();
            break;
        }
    }
}

void TfmDeklaracii::FormClose()
{
    // Nothing is asked: closing this window ends the program.
    m_register->closeLists();
}

void TfmDeklaracii::miOtdalechenDostapClick()
{
    m_remoteSupport.run();
}

void TfmDeklaracii::miZaProgramataClick()
{
    if (TfmSplash *about = fmSplash())
        about->FromAbout();
}

} // namespace kesp::app
