#pragma once

#include <QComboBox>
#include <QHash>
#include <QVariant>
#include <QVector>

namespace kesp::storage {
class ListModel;
}

namespace kesp::declaration {

// A drop-down list over one field of a reference register. The first entry stands for
// "nothing chosen". Typing narrows a pop-up to the entries that contain the typed text,
// ignoring letter case (Cyrillic too); typed text that names no entry is dropped when
// the list is left, so the list only ever holds a register row or nothing.
class RegisterCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit RegisterCombo(QWidget *parent = nullptr);

    void setNoneText(const QString &text) { m_noneText = text; }
    QString noneText() const { return m_noneText; }

    // The register and which of its fields are the key and the shown text.
    void setRegister(const storage::ListModel *list,
                     const QString &keyField,
                     const QString &shownField);
    // Rebuilds the entries from the register (after it was opened or closed).
    void reload();

    // The chosen row's key; null when nothing is chosen.
    QVariant key() const;
    // Shows the row of a key (nothing chosen for null or an unknown key); announces nothing.
    void showKey(const QVariant &key);

    // Takes the typed text: an entry of exactly that text (any letter case) is chosen,
    // blank text chooses nothing, any other text gives way to the current entry.
    void commitTyped();

signals:
    // The user chose another entry (by list, keys, pop-up or typed text).
    void keyChosen(const QVariant &key);

private:
    const storage::ListModel *m_list = nullptr;
    QString m_keyField;
    QString m_shownField;
    QString m_noneText;
    QVector<QVariant> m_keys; // per entry; entry 0 is "nothing"
    QHash<qlonglong, int> m_entryOfKey;
    bool m_updating = false;
};

} // namespace kesp::declaration
