#include "bindings.h"

#include "columncatalogue.h"
#include "listmodel.h"
#include "rowsource.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <limits>

namespace kesp::declaration {

namespace {

bool sameValue(const QVariant &a, const QVariant &b)
{
    const bool an = a.isNull() || !a.isValid();
    const bool bn = b.isNull() || !b.isValid();
    if (an || bn)
        return an == bn;
    return a == b;
}

bool isEditing(const storage::RowSource *rows)
{
    return rows && (rows->state() == storage::RowSource::State::Edit ||
                    rows->state() == storage::RowSource::State::Insert);
}

} // namespace

// ---------------------------------------------------------------------------------------

Binding::Binding(QWidget *control, storage::RowSource *rows, const QString &column, int fieldCode)
    : m_control(control)
    , m_rows(rows)
    , m_column(column)
    , m_fieldCode(fieldCode)
{
    control->setProperty("fieldCode", fieldCode);
}

Binding::~Binding() = default;

bool Binding::rowIsEditing() const
{
    return isEditing(m_rows);
}

void Binding::load()
{
    if (!m_control)
        return;
    const QVariant value = m_rows && m_rows->isOpen() ? m_rows->value(m_column) : QVariant();
    ++m_loading;
    m_loaded = value;
    show(value);
    --m_loading;
}

bool Binding::isPending() const
{
    return !sameValue(shown(), m_loaded);
}

bool Binding::commit()
{
    if (!m_control || !rowIsEditing() || !isPending())
        return false;
    m_rows->setValue(m_column, shown());
    return true;
}

void Binding::clearColumn()
{
    m_rows->setValue(m_column, QVariant());
}

void Binding::userAction(const std::function<void()> &action)
{
    if (m_set)
        m_set->runAction(action);
    else
        action();
}

// ---------------------------------------------------------------------------------------

QValidator::State CountValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Acceptable;
    if (input.size() > 10)
        return Invalid;
    for (const QChar ch : std::as_const(input))
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return Invalid;
    return input.toLongLong() <= std::numeric_limits<int>::max() ? Acceptable : Invalid;
}

// ---------------------------------------------------------------------------------------

LineEditBinding::LineEditBinding(
    QLineEdit *edit, storage::RowSource *rows, const QString &column, int fieldCode, Kind kind)
    : Binding(edit, rows, column, fieldCode)
    , m_kind(kind)
{
    switch (kind) {
    case Kind::Text:
        if (const storage::ColumnDef *c = storage::ColumnCatalogue::find(rows->table(), column);
            c && c->length > 0)
            edit->setMaxLength(c->length);
        break;
    case Kind::Integer:
        edit->setValidator(new QIntValidator(edit));
        break;
    case Kind::Count:
        edit->setValidator(new CountValidator(edit));
        edit->installEventFilter(this);
        break;
    }
}

QLineEdit *LineEditBinding::edit() const
{
    return static_cast<QLineEdit *>(control());
}

bool LineEditBinding::isPending() const
{
    return edit() && edit()->text() != m_loadedText;
}

QVariant LineEditBinding::shown() const
{
    const QString text = edit()->text();
    if (text.isEmpty())
        return {};
    if (m_kind == Kind::Count)
        return text.toLongLong();
    // An integer edit hands its text on; the row refuses what is not a 32-bit number.
    return text;
}

void LineEditBinding::show(const QVariant &value)
{
    edit()->setText(value.isNull() ? QString() : value.toString());
    edit()->setCursorPosition(0);
    // A stored text longer than the edit allows is shown cut, but stays as stored until
    // the user changes it.
    m_loadedText = edit()->text();
}

bool LineEditBinding::WordEditOnKeyPress(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false; // shortcuts (copy, select all) are not typed characters
    const QString text = key->text();
    if (text.isEmpty())
        return false; // navigation keys
    for (const QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return true;
    return false;
}

bool LineEditBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == control() && WordEditOnKeyPress(watched, event))
        return true;
    return Binding::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------

MemoBinding::MemoBinding(QPlainTextEdit *memo,
                         storage::RowSource *rows,
                         const QString &column,
                         int fieldCode)
    : Binding(memo, rows, column, fieldCode)
{
}

QPlainTextEdit *MemoBinding::memo() const
{
    return static_cast<QPlainTextEdit *>(control());
}

bool MemoBinding::isPending() const
{
    return memo() && memo()->toPlainText() != m_loadedText;
}

QVariant MemoBinding::shown() const
{
    const QString text = memo()->toPlainText();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void MemoBinding::show(const QVariant &value)
{
    memo()->setPlainText(value.isNull() ? QString() : value.toString());
    m_loadedText = memo()->toPlainText();
}

// ---------------------------------------------------------------------------------------

CheckBinding::CheckBinding(QCheckBox *check,
                           storage::RowSource *rows,
                           const QString &column,
                           int fieldCode,
                           rules::MarkKind kind)
    : Binding(check, rows, column, fieldCode)
    , m_kind(kind)
{
    connect(check, &QCheckBox::clicked, this, &CheckBinding::clicked);
}

QCheckBox *CheckBinding::check() const
{
    return static_cast<QCheckBox *>(control());
}

void CheckBinding::onClick(std::function<void(bool)> reaction)
{
    m_clickReactions.push_back(std::move(reaction));
}

void CheckBinding::clearColumn()
{
    rows()->setValue(column(), false);
}

QVariant CheckBinding::shown() const
{
    return check()->isChecked();
}

void CheckBinding::show(const QVariant &value)
{
    check()->setChecked(!value.isNull() && value.toBool());
}

void CheckBinding::clicked(bool checked)
{
    userAction([this, checked] {
        for (const auto &reaction : m_clickReactions)
            reaction(checked);
        if (!check() || !rowIsEditing())
            return;
        const bool state = check()->isChecked();
        // A reaction may have stored the state itself; one assignment is enough.
        if (!sameValue(rows()->value(column()), state))
            rows()->setValue(column(), state);
    });
}

// ---------------------------------------------------------------------------------------

RadioBinding::RadioBinding(QGroupBox *group,
                           storage::RowSource *rows,
                           const QString &column,
                           int fieldCode,
                           const QList<Choice> &choices,
                           int columns)
    : Binding(group, rows, column, fieldCode)
    , m_buttons(new QButtonGroup(this))
{
    auto *layout = new QGridLayout(group);
    layout->setContentsMargins(6, group->title().isEmpty() ? 4 : 6, 6, 4);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(2);
    const int perColumn = (int(choices.size()) + qMax(1, columns) - 1) / qMax(1, columns);
    for (int i = 0; i < choices.size(); ++i) {
        auto *button = new QRadioButton(choices.at(i).caption, group);
        button->setObjectName(group->objectName() + QLatin1Char('_') +
                              QString::number(choices.at(i).value));
        m_buttons->addButton(button, choices.at(i).value);
        layout->addWidget(button, i % qMax(1, perColumn), i / qMax(1, perColumn));
    }
    layout->setColumnStretch(qMax(1, columns), 1);
    connect(m_buttons, &QButtonGroup::idClicked, this, [this](int id) {
        userAction([this, id] {
            notifyIfChanged();
            for (const auto &reaction : m_clickReactions)
                reaction(id);
        });
    });
}

QGroupBox *RadioBinding::group() const
{
    return static_cast<QGroupBox *>(control());
}

QAbstractButton *RadioBinding::button(int value) const
{
    return m_buttons->button(value);
}

bool RadioBinding::isPending() const
{
    return Binding::isPending();
}

void RadioBinding::onChange(std::function<void(const QVariant &)> reaction)
{
    m_changeReactions.push_back(std::move(reaction));
}

void RadioBinding::onClick(std::function<void(int)> reaction)
{
    m_clickReactions.push_back(std::move(reaction));
}

QVariant RadioBinding::shown() const
{
    const int id = m_buttons->checkedId();
    return id == -1 ? QVariant() : QVariant(id);
}

void RadioBinding::setChecked(const QVariant &value)
{
    QAbstractButton *b = value.isNull() ? nullptr : m_buttons->button(value.toInt());
    if (b) {
        b->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button by itself.
    m_buttons->setExclusive(false);
    for (QAbstractButton *button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
}

void RadioBinding::show(const QVariant &value)
{
    setChecked(value);
    notifyIfChanged();
}

void RadioBinding::setShownValue(const QVariant &value)
{
    setChecked(value);
    notifyIfChanged();
}

void RadioBinding::notifyIfChanged()
{
    const QVariant now = shown();
    if (sameValue(now, m_lastShown))
        return;
    m_lastShown = now;
    for (const auto &reaction : m_changeReactions)
        reaction(now);
}

// ---------------------------------------------------------------------------------------

LookupBinding::LookupBinding(QComboBox *combo,
                             storage::RowSource *rows,
                             const QString &column,
                             int fieldCode,
                             storage::ListModel *list,
                             const QString &keyField,
                             const QString &nameField,
                             bool clearOnDelete)
    : Binding(combo, rows, column, fieldCode)
    , m_list(list)
    , m_keyField(keyField)
    , m_nameField(nameField)
    , m_clearOnDelete(clearOnDelete)
{
    int nameColumn = -1;
    for (int i = 0; i < list->columns().size(); ++i)
        if (list->columns().at(i).field.compare(nameField, Qt::CaseInsensitive) == 0)
            nameColumn = i;
    if (nameColumn < 0) {
        auto columns = list->columns();
        columns.append({nameField, QString()});
        list->setColumns(columns);
        nameColumn = int(columns.size()) - 1;
    }
    combo->setModel(list);
    combo->setModelColumn(nameColumn);
    combo->setCurrentIndex(-1);
    combo->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, [this] { userAction([this] { chosen(); }); });
    // A re-read list (another region's places) shows the stored key again, or nothing.
    connect(list, &QAbstractItemModel::modelReset, this, [this] { load(); });
}

QComboBox *LookupBinding::combo() const
{
    return static_cast<QComboBox *>(control());
}

QVariant LookupBinding::shown() const
{
    const int row = combo()->currentIndex();
    if (row < 0)
        return {};
    const QVariant key = m_list->value(row, m_keyField);
    return key.isNull() ? QVariant() : QVariant(key.toInt());
}

void LookupBinding::show(const QVariant &value)
{
    const int row = value.isNull() ? -1 : m_list->rowOfValue(m_keyField, value);
    combo()->setCurrentIndex(row);
}

void LookupBinding::chosen()
{
    if (!combo())
        return;
    if (!rowIsEditing()) {
        load();
        return;
    }
    const QVariant value = shown();
    if (sameValue(value, rows()->value(column())))
        return;
    rows()->setValue(column(), value);
    if (set())
        emit set()->shownNameAssigned(this);
}

bool LookupBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == control() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        if (m_clearOnDelete) {
            userAction([this] {
                combo()->setCurrentIndex(-1);
                chosen();
            });
        }
        return true;
    }
    return Binding::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------

BindingSet::BindingSet(QObject *parent)
    : QObject(parent)
{
}

BindingSet::~BindingSet() = default;

void BindingSet::adopt(std::unique_ptr<Binding> binding)
{
    binding->m_set = this;
    m_byControl.insert(binding->control(), binding.get());
    watch(binding->rows());
    binding->load();
    m_bindings.push_back(std::move(binding));
}

void BindingSet::watch(storage::RowSource *rows)
{
    if (!rows || m_watched.contains(rows))
        return;
    m_watched.append(rows);
    using storage::RowSource;
    connect(rows, &RowSource::valueChanged, this, [this, rows](const QString &column) {
        for (Binding *b : byColumn(rows, column))
            b->load();
    });
    connect(rows, &RowSource::opened, this, [this, rows] { reloadAll(rows); });
    connect(rows, &RowSource::currentChanged, this, [this, rows] { reloadAll(rows); });
    connect(rows, &RowSource::stateChanged, this, [this, rows](RowSource::State s) {
        if (s == RowSource::State::Closed || s == RowSource::State::Insert)
            reloadAll(rows);
    });
}

Binding *BindingSet::byControl(const QWidget *control) const
{
    return m_byControl.value(control, nullptr);
}

Binding *BindingSet::byName(const QString &controlName) const
{
    for (const auto &b : m_bindings)
        if (b->control() && b->control()->objectName() == controlName)
            return b.get();
    return nullptr;
}

Binding *BindingSet::owning(const QWidget *widget) const
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (Binding *b = byControl(w))
            return (w == widget || b->ownsChildFocus()) ? b : nullptr;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

QList<Binding *> BindingSet::byColumn(const storage::RowSource *rows, const QString &column) const
{
    QList<Binding *> out;
    for (const auto &b : m_bindings)
        if (b->rows() == rows && b->column().compare(column, Qt::CaseInsensitive) == 0)
            out.append(b.get());
    return out;
}

QList<Binding *> BindingSet::all() const
{
    QList<Binding *> out;
    out.reserve(qsizetype(m_bindings.size()));
    for (const auto &b : m_bindings)
        out.append(b.get());
    return out;
}

void BindingSet::commitAll()
{
    for (const auto &b : m_bindings)
        if (b->isPending())
            b->commit();
}

void BindingSet::reloadAll(const storage::RowSource *rows)
{
    for (const auto &b : m_bindings)
        if (b->rows() == rows)
            b->load();
}

void BindingSet::runAction(const std::function<void()> &action)
{
    if (m_runner)
        m_runner(action);
    else
        action();
}

} // namespace kesp::declaration
