#include "detailrowdialog.h"

#include "columncatalogue.h"
#include "datasetroutines.h"
#include "dialogs.h"
#include "errors.h"
#include "fminfobutontext.h"
#include "listmodel.h"
#include "registercombo.h"
#include "rowsource.h"
#include "schema.h"
#include "tdmmain.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include <limits>

namespace kesp::declaration {

namespace {

const QString kNote = QStringLiteral("* Със звезда са маркирани задължителните полета");
const QString kOK = QStringLiteral("OK");
const QString kCancel = QStringLiteral("Отказ");
const QString kAdd = QStringLiteral("Добавяне");
const QString kEdit = QStringLiteral("Редактиране");
const QString kDeleteQuestion =
    QStringLiteral("Моля, потвърдете изтриването на избрания в таблицата елемент!");
const QString kRowGone = QStringLiteral(
    "Избраният елемент вече не съществува в базата данни - възможно е да е бил изтрит.");
const QString kInfoHint = QStringLiteral("Помощна информация");

DetailRowDialog::InfoHook g_infoHook;

// Counts take digits only, and no more than a 32-bit column holds.
class CountValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Acceptable;
        for (const QChar ch : std::as_const(input))
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return Invalid;
        bool ok = false;
        const qulonglong v = input.toULongLong(&ok);
        return ok && v <= qulonglong(std::numeric_limits<int>::max()) ? Acceptable : Invalid;
    }
};

QString selectStatement(const QString &table, const QList<QPair<QString, QString>> &required)
{
    // The required columns lead, so that the required-field check meets them in the
    // order the user is told about; the rest follow in the table's order.
    QStringList columns;
    for (const auto &r : required)
        columns << r.first;
    for (const QString &c : storage::ColumnCatalogue::columnNames(table))
        if (!columns.contains(c, Qt::CaseInsensitive))
            columns << c;
    return QStringLiteral("select %1 from %2 where %3 = :PK_CODE")
        .arg(columns.join(QStringLiteral(", ")), table, storage::ColumnCatalogue::keyColumn(table));
}

} // namespace

void DetailRowDialog::setInfoHook(InfoHook hook)
{
    g_infoHook = std::move(hook);
}

void DetailRowDialog::openInfo(int code)
{
    try {
        if (g_infoHook) {
            g_infoHook(code);
        } else if (registers::TfmInfoButonText *info = registers::fmInfoButonText()) {
            info->OpenInfoButon(code);
        } else {
            registers::TfmInfoButonText window;
            window.OpenInfoButon(code);
        }
    } catch (const Error &e) {
        dialogs().error(e.message());
    }
}

QString DetailRowDialog::deleteQuestion()
{
    return kDeleteQuestion;
}

DetailRowDialog::DetailRowDialog(const QString &table,
                     const QList<QPair<QString, QString>> &required,
                     QWidget *parent)
    : QDialog(parent)
    , m_table(table)
    , m_row(std::make_unique<storage::RowSource>(QSqlDatabase(), table))
    , m_body(new QGridLayout)
    , m_lblNote(new QLabel(kNote, this))
    , m_btnOK(new QPushButton(kOK, this))
    , m_btnCancel(new QPushButton(kCancel, this))
{
    // Only the close box: no minimising, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    m_row->setSql(selectStatement(table, required));
    for (const auto &[column, label] : required)
        m_row->setRequired(column, label);
    connect(m_row.get(),
            &storage::RowSource::valueChanged,
            this,
            [this](const QString &column, const QVariant &, const QVariant &value) {
                onValueChanged(column, value);
            });

    m_lblNote->setObjectName(QStringLiteral("lblNote"));
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_lblNote);
    bar->addStretch(1);
    bar->addWidget(m_btnOK);
    bar->addWidget(m_btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_body);
    layout->addSpacing(6);
    layout->addLayout(bar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

DetailRowDialog::~DetailRowDialog() = default;

QString DetailRowDialog::addCaption() const
{
    return kAdd;
}

QString DetailRowDialog::editCaption() const
{
    return kEdit;
}

QSqlDatabase DetailRowDialog::database() const
{
    if (storage::TdmMain *dm = storage::dmMain())
        return dm->database();
    throw DatabaseError(QStringLiteral("Няма връзка с базата данни."));
}

bool DetailRowDialog::ensureOpen(storage::ListModel &list)
{
    const QSqlDatabase db = database();
    const QString source = db.connectionName() + QLatin1Char('|') + db.databaseName();
    if (list.isOpen() && list.property("source").toString() == source)
        return false;
    list.setDatabase(db);
    list.open();
    list.setProperty("source", source);
    return true;
}

QVariant DetailRowDialog::lookup(const storage::ListModel &list,
                           const QString &keyField,
                           const QVariant &key,
                           const QString &field)
{
    if (key.isNull())
        return {};
    const int row = list.rowOfValue(keyField, key);
    return row < 0 ? QVariant() : list.value(row, field);
}

bool DetailRowDialog::isNewRow() const
{
    return m_row->state() == storage::RowSource::State::Insert;
}

void DetailRowDialog::bindShow(QWidget *control,
                         const QString &column,
                         std::function<void(const QVariant &)> show)
{
    m_bindings.append({control, column, std::move(show)});
}

void DetailRowDialog::store(QWidget *from, const QString &column, const QVariant &value)
{
    if (m_showing)
        return;
    const auto state = m_row->state();
    if (state != storage::RowSource::State::Edit && state != storage::RowSource::State::Insert)
        return;
    QWidget *const previous = m_storingFrom;
    m_storingFrom = from;
    try {
        m_row->setValue(column, value);
    } catch (...) {
        m_storingFrom = previous;
        throw;
    }
    m_storingFrom = previous;
}

void DetailRowDialog::bindText(QLineEdit *edit, const QString &column)
{
    m_lengthLimited.append({edit, column});
    bindShow(edit, column, [edit](const QVariant &v) {
        const QString text = v.isNull() ? QString() : v.toString();
        if (edit->text() != text)
            edit->setText(text);
    });
    connect(edit, &QLineEdit::textEdited, this, [this, edit, column](const QString &text) {
        store(edit, column, text.isEmpty() ? QVariant() : QVariant(text));
    });
}

void DetailRowDialog::bindCount(QLineEdit *edit, const QString &column)
{
    edit->setValidator(new CountValidator(edit));
    edit->setMaxLength(10);
    bindShow(edit, column, [edit](const QVariant &v) {
        const QString text = v.isNull() ? QString() : QString::number(v.toLongLong());
        if (edit->text() != text)
            edit->setText(text);
    });
    connect(edit, &QLineEdit::textEdited, this, [this, edit, column](const QString &text) {
        store(edit, column, text.isEmpty() ? QVariant() : QVariant(text.toInt()));
    });
}

void DetailRowDialog::bindCheck(QCheckBox *box, const QString &column)
{
    bindShow(box, column, [box](const QVariant &v) { box->setChecked(v.toBool()); });
    connect(box, &QCheckBox::toggled, this, [this, box, column](bool on) {
        store(box, column, on);
    });
}

void DetailRowDialog::bindChoice(QButtonGroup *group, const QString &column)
{
    bindShow(group->buttons().value(0), column, [group](const QVariant &v) {
        QAbstractButton *b = v.isNull() ? nullptr : group->button(v.toInt());
        if (b) {
            b->setChecked(true);
            return;
        }
        // No answer: an exclusive group cannot uncheck its last button by itself.
        group->setExclusive(false);
        for (QAbstractButton *each : group->buttons())
            each->setChecked(false);
        group->setExclusive(true);
    });
    connect(group, &QButtonGroup::idToggled, this, [this, group, column](int id, bool on) {
        if (on)
            store(group->button(id), column, id);
    });
}

void DetailRowDialog::bindLookup(RegisterCombo *combo, const QString &column)
{
    bindShow(combo, column, [combo](const QVariant &v) { combo->showKey(v); });
    connect(combo, &RegisterCombo::keyChosen, this, [this, combo, column](const QVariant &key) {
        // The list shows the stored choice again whatever becomes of the value.
        store(nullptr, column, key);
        if (!m_showing)
            combo->showKey(m_row->value(column));
    });
}

void DetailRowDialog::showAll()
{
    m_showing = true;
    for (const Binding &b : std::as_const(m_bindings))
        b.show(m_row->isOpen() ? m_row->value(b.column) : QVariant());
    m_showing = false;
}

void DetailRowDialog::onValueChanged(const QString &column, const QVariant &value)
{
    const bool wasShowing = m_showing;
    m_showing = true;
    for (const Binding &b : std::as_const(m_bindings))
        if (b.control != m_storingFrom && b.column.compare(column, Qt::CaseInsensitive) == 0)
            b.show(value);
    m_showing = wasShowing;
    columnChanged(column.toUpper(), value);
}

QLabel *DetailRowDialog::addLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, this);
    label->setBuddy(buddy);
    if (buddy && !buddy->objectName().isEmpty())
        label->setObjectName(QStringLiteral("lbl") + buddy->objectName().mid(3));
    return label;
}

QToolButton *DetailRowDialog::addInfoButton(int code)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("btnInfo"));
    button->setProperty("infoCode", code);
    button->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setToolTip(kInfoHint);
    // Not a tab stop: the keyboard path through the fields stays as it is.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [code] { openInfo(code); });
    return button;
}

void DetailRowDialog::openRow(int key)
{
    const QSqlDatabase db = database();
    m_row->setDatabase(db);
    // The file's declared lengths, which an old file may have narrower.
    for (const auto &[edit, column] : std::as_const(m_lengthLimited)) {
        int length = storage::declaredLength(db, m_table, column);
        if (length <= 0)
            if (const storage::ColumnDef *c = storage::ColumnCatalogue::find(m_table, column))
                length = c->length;
        edit->setMaxLength(length > 0 ? length : 32767);
    }
    beforeOpen();
    storage::SetParamValue(*m_row, QStringLiteral("PK_CODE"), key);
    m_row->open();
}

void DetailRowDialog::finishCall()
{
    m_row->close();
    showAll();
    afterCall();
}

int DetailRowDialog::AddItem(int viDeklaraciaCode)
{
    setWindowTitle(addCaption());
    m_declarationCode = viDeklaraciaCode;
    int newCode = -1;
    try {
        openRow(-1);
        m_row->append();
        newRow(viDeklaraciaCode);
        showAll();
        afterOpen();
        if (exec() == QDialog::Accepted)
            newCode = m_row->value(m_row->keyColumn()).toInt();
    } catch (...) {
        finishCall();
        throw;
    }
    finishCall();
    return newCode;
}

bool DetailRowDialog::EditItem(int AItemCode)
{
    setWindowTitle(editCaption());
    bool saved = false;
    try {
        openRow(AItemCode);
        if (storage::IsDataSetEmpty(*m_row))
            throw DatabaseError(kRowGone);
        m_declarationCode = m_row->value(QStringLiteral("DEKLARACIA_CODE")).toInt();
        m_row->edit();
        showAll();
        afterOpen();
        saved = exec() == QDialog::Accepted;
    } catch (...) {
        finishCall();
        throw;
    }
    finishCall();
    return saved;
}

bool DetailRowDialog::DeleteItem(int AItemCode)
{
    if (dialogs().message(Dialogs::Icon::Question,
                          kDeleteQuestion,
                          Dialogs::Ok | Dialogs::Cancel,
                          Dialogs::Ok)
        != Dialogs::Ok)
        return false;
    bool deleted = false;
    try {
        m_row->setDatabase(database());
        storage::SetParamValue(*m_row, QStringLiteral("PK_CODE"), AItemCode);
        m_row->open();
        if (!storage::IsDataSetEmpty(*m_row)) {
            m_row->remove();
            deleted = true;
        }
    } catch (...) {
        m_row->close();
        throw;
    }
    m_row->close();
    return deleted;
}

void DetailRowDialog::done(int result)
{
    if (result == QDialog::Accepted && !acceptRow())
        return;
    QDialog::done(result);
}

bool DetailRowDialog::acceptRow()
{
    // The control being edited hands over its value first.
    m_btnOK->setFocus();
    for (RegisterCombo *combo : findChildren<RegisterCombo *>())
        combo->commitTyped();
    try {
        checkTypedValues();
        storage::CheckRequiredFields(*m_row);
        ownChecks();
        save();
    } catch (const Error &e) {
        dialogs().error(e.message());
        return false;
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void DetailRowDialog::save()
{
    if (isNewRow()) {
        // The key is taken as max + 1 inside the write transaction of the post.
        m_row->setValue(m_row->keyColumn(), QVariant());
        m_row->setValue(QStringLiteral("DEKLARACIA_CODE"), m_declarationCode);
    }
    m_row->post();
}

void DetailRowDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
    if (QWidget *w = startControl())
        w->setFocus();
}

} // namespace kesp::declaration
