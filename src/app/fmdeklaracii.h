#pragma once

#include "remotesupport.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QMenu;
class QPushButton;
class QVBoxLayout;

namespace kesp::app {

class DocumentEditor;
class DocumentRegister;

// The main window: the document register, the main menu and the command buttons.
// Closing it ends the program.
class TfmDeklaracii : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfmDeklaracii(QWidget *parent = nullptr);
    ~TfmDeklaracii() override;

    // The program's version, four numbers joined by "."; empty when unknown.
    static QString GetAppVersion();

    // The area under the menu; the menu bar comes on top of it.
    static constexpr QSize kClientSize{850, 532};
    // Height of the filter group above the grid.
    static constexpr int kFilterHeight = 112;
    // Height of the bottom bar with the command buttons.
    static constexpr int kBottomBarHeight = 44;

    // Where the document register lives: the filter group on top, the grid below it.
    // Until the register is built, two empty placeholders of that layout stand there.
    QWidget *registerArea() const { return m_registerArea; }
    QWidget *filterGroup() const { return m_filterGroup; }
    QWidget *grid() const { return m_grid; }
    // Puts the register's filter group and grid in place of the current ones; the
    // window takes them over and frees the widgets they replace.
    void setRegisterWidgets(QWidget *filterGroup, QWidget *grid);

    // Connects the register's flows to the declaration editor and the new-document
    // dialog; the commands that need them become available.
    void setDeclarationEditor(DocumentEditor *editor, std::function<int()> selectDocument);

    // The register of documents shown in the window.
    DocumentRegister &documentRegister() const { return *m_register; }

    // Remote support, with the folder it looks in and the way it opens the program.
    RemoteSupport &remoteSupport() { return m_remoteSupport; }

    // Menus and their items, named as the components of the window.
    QMenu *miProgram = nullptr;
    QAction *miIzhod = nullptr;
    QMenu *miNomenklaturi = nullptr;
    QAction *miKid = nullptr;
    QAction *miCAS = nullptr;
    QAction *miGradove = nullptr;
    QMenu *miInstrumenti = nullptr;
    QAction *miPodpisvane = nullptr;
    QAction *miPrintBlankaDeklaracia = nullptr;
    QAction *miPrintBlankaUvedomlenie = nullptr;
    QAction *miRabotenVariant = nullptr;
    QAction *miImportXML = nullptr;
    QMenu *miPomosht = nullptr;
    QAction *miRDirekcii = nullptr;
    QAction *miOtdalechenDostap = nullptr;
    QAction *miZaProgramata = nullptr;

    // The command buttons of the bottom bar, left to right.
    QPushButton *btnAdd = nullptr;
    QPushButton *btnEdit = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnGeneraetXML = nullptr;
    QPushButton *btnClose = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    QWidget *buildBottomBar();

    // Runs at every showing of the window.
    void FormShow();
    // Runs when the window closes, which ends the program.
    void FormClose();

    void miOtdalechenDostapClick();
    void miZaProgramataClick();

    QWidget *m_registerArea = nullptr;
    QVBoxLayout *m_registerLayout = nullptr;
    QWidget *m_filterGroup = nullptr;
    QWidget *m_grid = nullptr;
    RemoteSupport m_remoteSupport;
    DocumentRegister *m_register = nullptr;
};

// The main window; null before start-up made it.
TfmDeklaracii *fmDeklaracii();

} // namespace kesp::app
