#include "detaillist.h"

#include "listmodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

namespace kesp::declaration {

DetailList::DetailList(const QString &name,
                       const QString &keyColumn,
                       const QString &sql,
                       const QSqlDatabase &db,
                       QObject *parent)
    : QObject(parent)
    , m_keyColumn(keyColumn)
    , m_model(new storage::ListModel(db, this))
{
    setObjectName(name);
    m_model->setObjectName(name);
    m_model->setSql(sql);
}

DetailList::~DetailList() = default;

void DetailList::attach(QTableView *grid,
                        QPushButton *add,
                        QPushButton *edit,
                        QPushButton *remove,
                        QWidget *group,
                        int fieldCode)
{
    m_grid = grid;
    m_add = add;
    m_edit = edit;
    m_delete = remove;
    m_group = group;
    m_fieldCode = fieldCode;
    if (grid) {
        grid->setModel(m_model);
        // Rows change only through the buttons and the dialogs.
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->verticalHeader()->setVisible(false);
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
        grid->horizontalHeader()->setStretchLastSection(true);
        grid->setProperty("fieldCode", fieldCode);
        // Columns as wide as their titles and texts; the last takes the rest.
        grid->resizeColumnsToContents();
        connect(m_model, &QAbstractItemModel::modelReset, grid, [grid] {
            grid->resizeColumnsToContents();
        });
    }
    updateButtons();
}

QVariant DetailList::currentKey() const
{
    if (m_model->isEmpty())
        return {};
    int row = 0;
    if (m_grid && m_grid->currentIndex().isValid())
        row = m_grid->currentIndex().row();
    const QVariant key = m_model->value(row, m_keyColumn);
    return key.isNull() ? QVariant() : QVariant(key.toInt());
}

void DetailList::selectKey(const QVariant &key)
{
    if (!m_grid || m_model->isEmpty())
        return;
    int row = key.isNull() ? -1 : m_model->rowOfValue(m_keyColumn, key);
    if (row < 0)
        row = 0;
    m_grid->setCurrentIndex(m_model->index(row, 0));
}

void DetailList::updateButtons()
{
    const bool hasRows = m_model->isOpen() && !m_model->isEmpty();
    if (m_edit)
        m_edit->setEnabled(hasRows);
    if (m_delete)
        m_delete->setEnabled(hasRows);
}

} // namespace kesp::declaration
