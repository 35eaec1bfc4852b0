#pragma once

#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <QVariant>

#include <functional>

#include <QPushButton>
#include <QTableView>

namespace kesp::storage {
class ListModel;
}

namespace kesp::declaration {

// The calls to the row dialog behind one list: the application wires each list to its
// window (setRowDialog of the editor takes the window itself).
struct RowDialogCalls
{
    // Adds a row to the declaration; the new row's key, or -1 when cancelled.
    std::function<int(int declarationCode)> AddItem;
    // True when the row was saved.
    std::function<bool(int key)> EditItem;
    // True when the row was deleted.
    std::function<bool(int key)> DeleteItem;
};

// One of the declaration's six lists: its query, the grid a page shows it in, the grid's
// three buttons and the group that holds them.
class DetailList : public QObject
{
    Q_OBJECT
public:
    DetailList(const QString &name,
               const QString &keyColumn,
               const QString &sql,
               const QSqlDatabase &db,
               QObject *parent = nullptr);
    ~DetailList() override;

    QString name() const { return objectName(); }
    QString keyColumn() const { return m_keyColumn; }
    storage::ListModel *model() const { return m_model; }

    // Set by the page that shows the list. The group is what EnableGroup switches.
    void attach(QTableView *grid,
                QPushButton *add,
                QPushButton *edit,
                QPushButton *remove,
                QWidget *group,
                int fieldCode);
    QTableView *grid() const { return m_grid; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QWidget *group() const { return m_group; }
    int fieldCode() const { return m_fieldCode; }

    void setRowDialog(RowDialogCalls dialog) { m_dialog = std::move(dialog); }
    const RowDialogCalls &rowDialog() const { return m_dialog; }

    // The key of the grid's current row; null when the list is empty.
    QVariant currentKey() const;
    // Selects the row with that key (after a refresh).
    void selectKey(const QVariant &key);
    // "Редактиране..." and "Изтриване..." are enabled only while the list has rows.
    void updateButtons();

private:
    QString m_keyColumn;
    storage::ListModel *m_model;
    QPointer<QTableView> m_grid;
    QPointer<QPushButton> m_add;
    QPointer<QPushButton> m_edit;
    QPointer<QPushButton> m_delete;
    QPointer<QWidget> m_group;
    int m_fieldCode = 0;
    RowDialogCalls m_dialog;
};

} // namespace kesp::declaration
