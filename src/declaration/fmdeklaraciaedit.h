#pragma once

#include "bindings.h"
#include "detaillist.h"
#include "markcolours.h"

#include <QDialog>
#include <QHash>
#include <QPalette>
#include <QPointer>
#include <QSet>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QTableView;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolButton;
class QWheelEvent;

namespace kesp::storage {
class ListModel;
class RowSource;
} // namespace kesp::storage

namespace kesp::rules {
class TdmValidacii;
}

namespace kesp::declaration {

// The modal window in which one declaration is created or changed: two rows edited
// together (DEKLARACIA and DEKLARACIA2), six lists, nine pages. It saves on request and
// by itself after every 51 changes, marks the fields of violated rules, lists the rules of
// the focused field and runs the full check.
//
// Pages build their controls with PageBuilder (pagebuilder.h) and hook their logic in
// through the page interface below.
class TfmDeklaraciaEdit : public QDialog
{
    Q_OBJECT
public:
    static constexpr int PageCount = 9;
    // Changes counted since the last save before the automatic save.
    static constexpr int AutoSaveAfter = 50;

    explicit TfmDeklaraciaEdit(QWidget *parent = nullptr);
    ~TfmDeklaraciaEdit() override;

    // --- Operations for the register -------------------------------------------------

    // Creates a declaration and edits it. On return the code is the new declaration's,
    // or -1 when the user abandoned it (nothing of it is left then).
    void AddItem(int &code);
    // Edits a declaration; true when the window was closed with OK.
    bool EditItem(int code);
    // Asks, then deletes the declaration with both rows and all its list rows.
    void DeleteItem(int code);
    // Loads both rows without showing the window (rules, printing, export).
    void OpenDeklaracia(int code);
    void CloseDeklaracia();
    void CloseDataSets();

    // Set by the register before AddItem/EditItem: region and municipality codes of
    // sections I and II (-1 for a new declaration).
    int viIOblast = -1;
    int viIIOblast = -1;
    int viIObshtina = -1;
    int viIIObshtina = -1;

    bool savedOnce = false;
    bool suppressChangeCount = false;
    int changedFieldsCount = 0;
    int viTimer = 0;

    // --- Hooks the application sets ------------------------------------------------

    // The carry-over of an earlier declaration into the new one; true when it copied.
    std::function<bool(int newCode)> importHook;
    // Shows the violated rules (Greshki, EIK, Lice, Vid); by default the violations report.
    std::function<void(const QString &, const QString &, const QString &, const QString &)>
        violationsHook;
    // Shows the help text of an info button.
    std::function<void(int infoCode)> infoHook;

    // --- Row sources and lists -------------------------------------------------------

    storage::RowSource *qryDataEdit() const { return m_qryDataEdit; }
    storage::RowSource *qryDataEdit2() const { return m_qryDataEdit2; }
    storage::RowSource *qryMaxCode() const { return m_qryMaxCode; }
    // qryUpravliavashti, qryKID, qryPodrazdelenia, qryPochivki, qryHimAg, qryMuta.
    DetailList *list(const QString &name) const;
    QList<DetailList *> lists() const;
    void setRowDialog(const QString &listName, RowDialogCalls dialog);
    // Any window with AddItem(declaration code) → key, EditItem(key), DeleteItem(key).
    template<typename Dialog> void setRowDialog(const QString &listName, Dialog *dialog)
    {
        setRowDialog(listName,
                     RowDialogCalls{[dialog](int code) { return int(dialog->AddItem(code)); },
                                    [dialog](int key) { return bool(dialog->EditItem(key)); },
                                    [dialog](int key) { return bool(dialog->DeleteItem(key)); }});
    }
    // Shows a list in a page's grid with its three buttons; the group is what the list
    // item's EnableGroup switches. The grid carries the field code and is marked.
    DetailList *attachList(const QString &name,
                           QTableView *grid,
                           QPushButton *add,
                           QPushButton *edit,
                           QPushButton *remove,
                           QWidget *group,
                           int fieldCode);

    // The row source that holds a column of the declaration (nullptr for an unknown one).
    storage::RowSource *rowsOfColumn(const QString &column) const;
    QVariant fieldValue(const QString &column) const;
    bool rowsEditing() const;

    // --- Commands ----------------------------------------------------------------------

    void btnValidateClick();
    void btnSaveClick();
    void btnOKClick();
    void btnCancelClick() { reject(); }
    void SaveDeklaracia();
    int GetNewDeklaraciaCode();
    bool ConfirmCancel();

    void UpdChangedFieldsCountOnChange(const QString &column);
    void CountFieldChange();
    void AutoSave();
    void StartSaveIndicator(int interval1, int interval2);
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();

    // --- Rules -------------------------------------------------------------------------

    void RecheckFieldRules(int PoleCode, bool Svetvai);
    void RecheckControlRules(QWidget *control);
    static bool PrviloActive(int PraviloCode);
    void ValidationOnEnter(QWidget *control);
    void ValidationOnExit(QWidget *control);
    // The field code a control carries (0 = none).
    static int fieldCodeOf(const QWidget *control);

    // --- The page interface --------------------------------------------------------------

    QTabWidget *pcRazdeli() const { return m_pages; }
    QScrollArea *pageArea(int page) const;
    // The widget inside the page's scroll area, where the page puts its controls.
    QWidget *pageContent(int page) const;
    BindingSet &bindings() { return *m_bindings; }
    template<typename T = QWidget> T *control(const QString &name) const
    {
        return findChild<T *>(name);
    }
    // The binding of a control by its name, of the kind asked for (nullptr otherwise):
    // binding<RadioBinding>("cbIIPoddelenia")->onChange(...).
    template<typename B = Binding> B *binding(const QString &controlName) const
    {
        return dynamic_cast<B *>(m_bindings->byName(controlName));
    }

    // A control with a field code that shows no column (grids, list buttons, panels).
    void registerFieldControl(QWidget *control,
                              int fieldCode,
                              rules::MarkKind kind = rules::MarkKind::Other);
    // Adds a binding and registers its control for marking and the rule list.
    template<typename B> B *addBinding(std::unique_ptr<B> binding)
    {
        B *raw = m_bindings->add(std::move(binding));
        registerFieldControl(raw->control(), raw->fieldCode(), raw->markKind());
        return raw;
    }

    // The control focused when the page is shown (defaults to the form's choice).
    void setPageFocusControl(int page, const QString &controlName);
    // Runs just before the row source is opened (place look-ups read the register's codes).
    void onBeforeRowsOpened(storage::RowSource *rows, std::function<void()> step);
    // The load step: runs each time the row source has been opened, shown or not.
    void onRowsLoaded(storage::RowSource *rows, std::function<void()> step);
    // Runs whenever the column's value is assigned, by the user or by code.
    void onColumnChanged(
        const QString &column,
        std::function<void(const QVariant &oldValue, const QVariant &newValue)> reaction);
    // Runs when the control is left, after its own ValidationOnExit.
    void onControlExit(const QString &controlName, std::function<void()> reaction);
    // A look-up list that CloseDataSets closes (qryGradove, qryObshtina, qryOblasti).
    void registerDataSet(const QString &name, storage::ListModel *list);
    // An info button showing the help text with that code.
    QToolButton *makeInfoButton(int infoCode, QWidget *parent);
    void ShowInfoButtonText(QObject *sender);

    // Switches a group on or off; turning it off while the row source is being edited
    // empties every column it shows and re-checks their rules.
    void EnableGroup(QWidget *control, bool state, storage::RowSource *rows);
    void ClearControlField(QWidget *control);
    // Re-reads a list (its parameter from the declaration) and re-checks its rules.
    void refreshList(const QString &name);
    void updateListButtons(const QString &name);

    // A user's action and its cascade: an automatic save that falls due inside runs when
    // the outermost one ends. Page reactions wired to Qt signals by hand can use it.
    class UserAction
    {
    public:
        explicit UserAction(TfmDeklaraciaEdit &editor);
        ~UserAction();
        UserAction(const UserAction &) = delete;
        UserAction &operator=(const UserAction &) = delete;

    private:
        TfmDeklaraciaEdit &m_editor;
    };
    // Runs an action inside a UserAction and shows any failure as an error box.
    void runUserAction(const std::function<void()> &action);

    // The widgets of the frame, for the pages and the tests.
    QTextEdit *reValidacii() const { return m_reValidacii; }
    QPushButton *btnValidate() const { return m_btnValidate; }
    QPushButton *btnSave() const { return m_btnSave; }
    QPushButton *btnOK() const { return m_btnOK; }
    QPushButton *btnCancel() const { return m_btnCancel; }
    QLabel *imgSaveStat() const { return m_imgSaveStat; }
    QLabel *JvLabel1() const { return m_JvLabel1; }
    QTimer *Timer1() const { return m_timer1; }
    QTimer *Timer2() const { return m_timer2; }
    QTimer *Timer3() const { return m_timer3; }

    // The columns whose assignments are counted towards the automatic save.
    static const QSet<QString> &countedColumns();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FieldControl
    {
        QPointer<QWidget> widget;
        int fieldCode = 0;
        rules::MarkKind kind = rules::MarkKind::Other;
        QColor normalColour; // the role's colour before any mark
        bool normalAutoFill = false;
    };

    void buildWindow();
    void buildLists();
    void connectRows();
    void connectRules();
    rules::TdmValidacii *engine();

    void openRow(storage::RowSource *rows, int code);
    void insertDefaults(storage::RowSource *rows);
    void editStep();
    void prePostStep();
    void openLists();
    void afterListOpened(DetailList *list);
    void listCommand(DetailList *list, int command);
    void showPage(int index);
    void showingWindow();
    void markAllRules(); // EditItem step 2
    void closeWindow(int result);
    void leaveCurrentField();

    void recolour(int fieldCode, bool marked);
    void colour(FieldControl &fc, bool marked);
    FieldControl *fieldControlOf(const QWidget *widget);
    void focusChanged(QWidget *old, QWidget *now);
    void enterField(FieldControl *fc);
    void exitField(FieldControl *fc);
    bool wheel(QObject *watched, QWheelEvent *event);

    void beginAction();
    void endAction();
    void takeSnapshot();
    void saveSnapshot();
    void postBoth(bool takeCode);
    void showError(const QString &message);

    storage::RowSource *m_qryDataEdit;
    storage::RowSource *m_qryDataEdit2;
    storage::RowSource *m_qryMaxCode;
    std::vector<DetailList *> m_lists;
    QHash<QString, QPointer<storage::ListModel>> m_dataSets;
    std::unique_ptr<BindingSet> m_bindings;

    QTabWidget *m_pages = nullptr;
    QScrollArea *m_areas[PageCount] = {};
    QString m_focusControls[PageCount];
    QTextEdit *m_reValidacii = nullptr;
    QLabel *m_stripLabel = nullptr;
    QPushButton *m_btnValidate = nullptr;
    QPushButton *m_btnSave = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QLabel *m_imgSaveStat = nullptr;
    QLabel *m_JvLabel1 = nullptr;
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_timer3 = nullptr;

    std::vector<std::unique_ptr<FieldControl>> m_fieldControls;
    QHash<const QWidget *, FieldControl *> m_fieldByWidget;
    FieldControl *m_currentField = nullptr;
    bool m_inFocusChange = false;

    QHash<storage::RowSource *, std::vector<std::function<void()>>> m_beforeOpen;
    QHash<storage::RowSource *, std::vector<std::function<void()>>> m_loadSteps;
    QHash<QString, std::vector<std::function<void(const QVariant &, const QVariant &)>>>
        m_columnReactions;
    QHash<QString, std::vector<std::function<void()>>> m_exitReactions;

    QPointer<rules::TdmValidacii> m_engine;
    QMetaObject::Connection m_marksConnection;

    bool m_shown = false;     // counting and field handling run while the window is up
    bool m_restoring = false; // a failed save puts values back: no reactions
    int m_actionDepth = 0;
    bool m_actionQueued = false;
    bool m_snapshotTaken = false;
    bool m_autoSaveDue = false;
    QVariantMap m_snapshot1;
    QVariantMap m_snapshot2;
    QVariantMap m_autoSnapshot1;
    QVariantMap m_autoSnapshot2;
};

// The process-wide window (created once at start-up).
TfmDeklaraciaEdit *fmDeklaraciaEdit();

} // namespace kesp::declaration
