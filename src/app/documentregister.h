#pragma once

#include "listmodel.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <functional>

#include <QGroupBox>
#include <QTableView>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace kesp::app {

class DocumentEditor;

// The register of documents in the main window: the list of every document with its
// filter, its sorting and the create, open and delete flows.
class DocumentRegister : public QObject
{
    Q_OBJECT
public:
    explicit DocumentRegister(QObject *parent = nullptr);
    ~DocumentRegister() override;

    // The widgets the main window shows: the filter group above the grid.
    QGroupBox *filterGroup() const { return m_filterGroup; }
    QTableView *grid() const { return m_grid; }

    // The list statement: every document with its province and settlement names.
    static QString gridDataSql();
    // The filter criteria as they stand in the controls.
    struct Criteria
    {
        int documentType = 0; // 0 both, 1 declarations, 2 notifications
        int year = 0;         // 0 all
        QString name;
        QString eik;
        QVariant oblast;
        QVariant grad;
    };
    static QList<storage::FilterCondition> buildFilter(const Criteria &c);

    // The lists of the filter and the register; the main window opens them when shown.
    void openLists();
    void closeLists();
    // Opens qryGridData with the date bounds read from the boxes, keeps the filter.
    void openGridData();

    storage::ListModel &gridData() { return m_gridData; }
    int currentRow() const;
    QVariant currentValue(const QString &field) const;
    bool selectCode(int code);

    // The editors and the new-document dialog the flows use.
    DocumentEditor *declarations = nullptr;
    DocumentEditor *notifications = nullptr;
    std::function<int()> selectDocument;

    // The commands.
    void btnMyApplyFilterClick();
    void btnMyClearClick();
    void createDocument();
    void openDocument();
    void deleteDocument();

    // Filter controls, named as the components of the window.
    QComboBox *cbDocumentType = nullptr;
    QComboBox *cbGodina = nullptr;
    QLineEdit *edtIme = nullptr;
    QLineEdit *edtEIK = nullptr;
    QComboBox *lcbOblast = nullptr;
    QComboBox *lcbGrad = nullptr;
    QDateEdit *edtDataOt = nullptr;
    QDateEdit *edtDataDo = nullptr;
    QPushButton *btnMyApplyFilter = nullptr;
    QPushButton *btnMyClear = nullptr;

    // An empty date box holds this date.
    static QDate emptyDate() { return QDate(1900, 1, 1); }

signals:
    // After every opening and when the document type changes: whether the row commands apply.
    void commandsEnabled(bool enabled);
    // The selected row's document type changed (1 declaration, 2 notification).
    void currentDocumentTypeChanged(int type);

private:
    void buildFilter();
    void buildGrid();
    void fillOblasti();
    void lcbOblastChange();
    void headerClicked(int section);
    void gridDoubleClicked(const QPoint &pos);
    void updateCommands();
    void currentChanged();

    storage::ListModel m_gridData;
    storage::ListModel m_oblasti;
    storage::ListModel m_gradove;
    // The window owns the widgets; they may go before this object does.
    QPointer<QGroupBox> m_filterGroup;
    QPointer<QTableView> m_grid;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace kesp::app
