#include "pagebuilder.h"

#include "columncatalogue.h"

#include "editortexts.h"
#include "errors.h"
#include "fmdeklaraciaedit.h"
#include "rowsource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace kesp::declaration {

PageBuilder::PageBuilder(TfmDeklaraciaEdit &editor, int page)
    : m_editor(editor)
    , m_page(page)
{
    QWidget *content = editor.pageContent(page);
    if (!content)
        throw Error(QStringLiteral("Няма страница %1 в редактора.").arg(page));
    auto *layout = static_cast<QVBoxLayout *>(content->layout());
    // The page's closing stretch stays last.
    if (layout->count() > 0 && layout->itemAt(layout->count() - 1)->spacerItem())
        delete layout->takeAt(layout->count() - 1);
    m_levels.push_back({content, layout});
}

PageBuilder::~PageBuilder()
{
    endRow();
    m_levels.front().layout->addStretch(1);
}

QWidget *PageBuilder::container() const
{
    return m_levels.back().widget;
}

int PageBuilder::codeOf(const QString &column)
{
    for (const char *table : {"DEKLARACIA", "DEKLARACIA2"})
        if (const storage::ColumnDef *c = storage::ColumnCatalogue::find(QLatin1String(table), column))
            return c->fieldCode;
    return 0;
}

storage::RowSource *PageBuilder::rowsFor(const QString &column) const
{
    storage::RowSource *rows = m_editor.rowsOfColumn(column);
    if (!rows)
        throw Error(QStringLiteral("Колоната %1 не е от декларацията.").arg(column));
    return rows;
}

QBoxLayout *PageBuilder::line()
{
    if (m_row)
        return m_row;
    auto *l = new QHBoxLayout;
    l->setSpacing(6);
    m_levels.back().layout->addLayout(l);
    return l;
}

void PageBuilder::place(QWidget *control, const QString &caption, bool stretchControl)
{
    QBoxLayout *l = line();
    if (!caption.isEmpty()) {
        auto *label = new QLabel(caption, container());
        label->setBuddy(control);
        if (!m_row && m_captionWidth > 0) {
            label->setFixedWidth(m_captionWidth);
            label->setWordWrap(true);
        }
        l->addWidget(label);
    }
    l->addWidget(control, stretchControl ? 1 : 0);
    if (!m_row && !stretchControl)
        l->addStretch(1);
}

QLabel *PageBuilder::heading(const QString &text, int infoCode)
{
    auto *label = new QLabel(text, container());
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() + 1.5);
    label->setFont(f);
    QBoxLayout *l = line();
    l->addWidget(label);
    if (infoCode > 0)
        l->addWidget(m_editor.makeInfoButton(infoCode, container()));
    if (!m_row)
        l->addStretch(1);
    return label;
}

QGroupBox *PageBuilder::beginItem(const QString &name, const QString &caption, int infoCode)
{
    endRow();
    auto *box = new QGroupBox(container());
    box->setObjectName(name);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    // The caption is a wrapping label, since the form's item titles are long.
    auto *title = new QHBoxLayout;
    auto *label = new QLabel(caption, box);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    title->addWidget(label, 1);
    if (infoCode > 0)
        title->addWidget(m_editor.makeInfoButton(infoCode, box), 0, Qt::AlignTop);
    layout->addLayout(title);
    m_levels.back().layout->addWidget(box);
    m_levels.push_back({box, layout});
    return box;
}

QWidget *PageBuilder::beginPanel(const QString &name)
{
    endRow();
    auto *panel = new QWidget(container());
    panel->setObjectName(name);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_levels.back().layout->addWidget(panel);
    m_levels.push_back({panel, layout});
    return panel;
}

void PageBuilder::end()
{
    endRow();
    if (m_levels.size() > 1)
        m_levels.pop_back();
}

void PageBuilder::beginRow()
{
    endRow();
    m_row = new QHBoxLayout;
    m_row->setSpacing(6);
    m_levels.back().layout->addLayout(m_row);
}

void PageBuilder::endRow()
{
    if (!m_row)
        return;
    m_row->addStretch(1);
    m_row = nullptr;
}

QLineEdit *PageBuilder::edit(
    const QString &name, const QString &column, int fieldCode, const QString &caption, int width)
{
    auto *e = new QLineEdit(container());
    e->setObjectName(name);
    m_editor.addBinding(std::make_unique<LineEditBinding>(
        e, rowsFor(column), column, fieldCode, LineEditBinding::Kind::Text));
    if (width > 0)
        e->setFixedWidth(width);
    place(e, caption, width <= 0);
    return e;
}

QLineEdit *PageBuilder::integer(
    const QString &name, const QString &column, int fieldCode, const QString &caption, int width)
{
    auto *e = new QLineEdit(container());
    e->setObjectName(name);
    m_editor.addBinding(std::make_unique<LineEditBinding>(
        e, rowsFor(column), column, fieldCode, LineEditBinding::Kind::Integer));
    e->setFixedWidth(width);
    place(e, caption, false);
    return e;
}

QLineEdit *PageBuilder::count(
    const QString &name, const QString &column, int fieldCode, const QString &caption, int width)
{
    auto *e = new QLineEdit(container());
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    m_editor.addBinding(std::make_unique<LineEditBinding>(
        e, rowsFor(column), column, fieldCode, LineEditBinding::Kind::Count));
    e->setFixedWidth(width);
    place(e, caption, false);
    return e;
}

QLineEdit *PageBuilder::readOnly(
    const QString &name, const QString &column, int fieldCode, const QString &caption, int width)
{
    auto *e = new QLineEdit(container());
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setAlignment(Qt::AlignRight);
    m_editor.addBinding(std::make_unique<LineEditBinding>(
        e, rowsFor(column), column, fieldCode, LineEditBinding::Kind::Integer));
    e->setFixedWidth(width);
    place(e, caption, false);
    return e;
}

QPlainTextEdit *PageBuilder::memo(
    const QString &name, const QString &column, int fieldCode, const QString &caption, int lines)
{
    auto *m = new QPlainTextEdit(container());
    m->setObjectName(name);
    m->setTabChangesFocus(true);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setFixedHeight(m->fontMetrics().lineSpacing() * qMax(1, lines) + 12);
    m_editor.addBinding(std::make_unique<MemoBinding>(m, rowsFor(column), column, fieldCode));
    place(m, caption, true);
    return m;
}

QCheckBox *PageBuilder::check(const QString &name,
                              const QString &column,
                              int fieldCode,
                              const QString &caption,
                              rules::MarkKind kind)
{
    auto *c = new QCheckBox(caption, container());
    c->setObjectName(name);
    m_editor.addBinding(
        std::make_unique<CheckBinding>(c, rowsFor(column), column, fieldCode, kind));
    QBoxLayout *l = line();
    l->addWidget(c);
    if (!m_row)
        l->addStretch(1);
    return c;
}

QGroupBox *PageBuilder::radio(const QString &name,
                              const QString &column,
                              int fieldCode,
                              const QString &caption,
                              const QList<RadioBinding::Choice> &choices,
                              int columns)
{
    auto *g = new QGroupBox(caption, container());
    g->setObjectName(name);
    m_editor.addBinding(
        std::make_unique<RadioBinding>(g, rowsFor(column), column, fieldCode, choices, columns));
    QBoxLayout *l = line();
    l->addWidget(g);
    if (!m_row)
        l->addStretch(1);
    return g;
}

QGroupBox *PageBuilder::yesNo(const QString &name,
                              const QString &column,
                              int fieldCode,
                              const QString &caption)
{
    return radio(name,
                 column,
                 fieldCode,
                 caption,
                 {{1, QStringLiteral("ДА")}, {2, QStringLiteral("НЕ")}},
                 2);
}

QComboBox *PageBuilder::lookup(const QString &name,
                               const QString &column,
                               int fieldCode,
                               const QString &caption,
                               storage::ListModel *list,
                               const QString &keyField,
                               const QString &nameField,
                               bool clearOnDelete,
                               int width)
{
    auto *c = new QComboBox(container());
    c->setObjectName(name);
    m_editor.addBinding(std::make_unique<LookupBinding>(
        c, rowsFor(column), column, fieldCode, list, keyField, nameField, clearOnDelete));
    if (width > 0)
        c->setFixedWidth(width);
    place(c, caption, width <= 0);
    return c;
}

QTableView *PageBuilder::list(const QString &listName,
                              const QString &gridName,
                              int fieldCode,
                              const QList<storage::ListModel::Column> &columns,
                              const QString &addName,
                              const QString &editName,
                              const QString &deleteName,
                              const QString &groupName,
                              int height)
{
    DetailList *detail = m_editor.list(listName);
    if (!detail)
        throw Error(QStringLiteral("Няма списък %1 в редактора.").arg(listName));
    endRow();
    auto *group = new QWidget(container());
    group->setObjectName(groupName.isEmpty() ? gridName + QStringLiteral("Group") : groupName);
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *grid = new QTableView(group);
    grid->setObjectName(gridName);
    grid->setFixedHeight(height);
    layout->addWidget(grid, 1);
    auto *buttons = new QVBoxLayout;
    auto makeButton = [group](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, group);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        return b;
    };
    QPushButton *add = makeButton(addName, texts::kAdd);
    QPushButton *edit = makeButton(editName, texts::kEdit);
    QPushButton *remove = makeButton(deleteName, texts::kDelete);
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    m_levels.back().layout->addWidget(group);

    detail->model()->setColumns(columns);
    m_editor.attachList(listName, grid, add, edit, remove, group, fieldCode);
    return grid;
}

QLabel *PageBuilder::note(const QString &text)
{
    auto *label = new QLabel(text, container());
    label->setWordWrap(!m_row);
    QBoxLayout *l = line();
    l->addWidget(label, m_row ? 0 : 1);
    return label;
}

void PageBuilder::add(QWidget *widget, const QString &caption)
{
    widget->setParent(container());
    place(widget, caption, true);
}

void PageBuilder::stretch()
{
    if (m_row)
        m_row->addStretch(1);
    else
        m_levels.back().layout->addStretch(1);
}

} // namespace kesp::declaration
