#include "registercombo.h"

#include "listmodel.h"

#include <QCompleter>
#include <QLineEdit>

namespace kesp::declaration {

RegisterCombo::RegisterCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Long names must not widen the window; the pop-up shows them in full width.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(4);

    auto *completer = new QCompleter(model(), this);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setMaxVisibleItems(15);
    setCompleter(completer);

    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating)
            emit keyChosen(m_keys.value(index));
    });
    connect(lineEdit(), &QLineEdit::editingFinished, this, &RegisterCombo::commitTyped);
}

void RegisterCombo::setRegister(const storage::ListModel *list,
                                const QString &keyField,
                                const QString &shownField)
{
    m_list = list;
    m_keyField = keyField;
    m_shownField = shownField;
}

void RegisterCombo::reload()
{
    const QVariant current = key();
    m_updating = true;
    clear();
    m_keys.clear();
    m_entryOfKey.clear();
    QStringList texts{m_noneText};
    m_keys.append(QVariant());
    const int rows = m_list ? m_list->rowCount() : 0;
    texts.reserve(rows + 1);
    m_keys.reserve(rows + 1);
    for (int i = 0; i < rows; ++i) {
        const QVariant k = m_list->value(i, m_keyField);
        m_entryOfKey.insert(k.toLongLong(), int(m_keys.size()));
        m_keys.append(k);
        texts.append(m_list->value(i, m_shownField).toString());
    }
    addItems(texts);
    m_updating = false;
    showKey(current);
}

QVariant RegisterCombo::key() const
{
    return m_keys.value(currentIndex());
}

void RegisterCombo::showKey(const QVariant &key)
{
    const int entry = key.isNull() ? 0 : m_entryOfKey.value(key.toLongLong(), 0);
    m_updating = true;
    setCurrentIndex(entry);
    // Also drops text typed over the same entry.
    setEditText(itemText(entry));
    m_updating = false;
}

void RegisterCombo::commitTyped()
{
    const QString typed = currentText();
    const int current = currentIndex();
    if (typed == itemText(current))
        return;
    int entry = typed.trimmed().isEmpty() ? 0 : findText(typed, Qt::MatchFixedString);
    if (entry < 0)
        entry = current;
    if (entry != current)
        setCurrentIndex(entry); // announces the choice
    setEditText(itemText(entry));
}

} // namespace kesp::declaration
