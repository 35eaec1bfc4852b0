#pragma once

#include "markcolours.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QValidator>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kesp::storage {
class ListModel;
class RowSource;
} // namespace kesp::storage

namespace kesp::declaration {

class BindingSet;

// A control that shows one column of a row source. The control's objectName is its
// control name and its dynamic property "fieldCode" carries its field code.
//
// Loading (the row opened, a value set by code) only shows the value: it never counts as
// a user change. What the user does reaches the column at these moments:
// - edits, counts and memos: when the control is left, and before every save or check
//   (commit); typing alone writes nothing, so one edit is one change;
// - check boxes: on the click, after the click reactions;
// - look-up lists: on the choice;
// - radio groups: when the group is left (its change reactions run at once).
class Binding : public QObject
{
    Q_OBJECT
public:
    Binding(QWidget *control, storage::RowSource *rows, const QString &column, int fieldCode);
    ~Binding() override;

    QWidget *control() const { return m_control; }
    storage::RowSource *rows() const { return m_rows; }
    QString column() const { return m_column; }
    int fieldCode() const { return m_fieldCode; }
    virtual rules::MarkKind markKind() const { return rules::MarkKind::Box; }
    // True for a control whose inner buttons take the focus (a radio group).
    virtual bool ownsChildFocus() const { return false; }

    // Shows the column's value; not a user change.
    void load();
    // Writes what the user put in the control when it differs from what was loaded and
    // the row is being edited. True when the column was written.
    bool commit();
    // True while the control holds a user's input the column does not have yet.
    virtual bool isPending() const;
    // ClearControlField: the column's empty value (false for a check box).
    virtual void clearColumn();

    bool isLoading() const { return m_loading > 0; }
    bool rowIsEditing() const;

protected:
    // The value the control shows, in the column's kind; null for nothing.
    virtual QVariant shown() const = 0;
    // Puts a value into the control.
    virtual void show(const QVariant &value) = 0;
    // Runs a user's action through the set (so the editor can scope and guard it).
    void userAction(const std::function<void()> &action);

    BindingSet *set() const { return m_set; }

private:
    friend class BindingSet;
    QPointer<QWidget> m_control;
    storage::RowSource *m_rows;
    QString m_column;
    int m_fieldCode;
    BindingSet *m_set = nullptr;
    int m_loading = 0;
    QVariant m_loaded; // what load() showed, to tell a user's input from a loaded value
};

// Bounds a count to 0 … 2 147 483 647, digits only.
class CountValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// Line edits: text (limited to the column's length), integers, and counts (digits and
// backspace only — WordEditOnKeyPress — bounded to 32 bits).
class LineEditBinding : public Binding
{
    Q_OBJECT
public:
    enum class Kind { Text, Integer, Count };
    LineEditBinding(
        QLineEdit *edit, storage::RowSource *rows, const QString &column, int fieldCode, Kind kind);
    QLineEdit *edit() const;
    Kind kind() const { return m_kind; }
    bool isPending() const override;

    // Only digits and backspace pass as typed characters; navigation, Tab, Enter and Escape
    // keep their meaning. True when the key was dropped.
    static bool WordEditOnKeyPress(QObject *edit, QEvent *event);

protected:
    QVariant shown() const override;
    void show(const QVariant &value) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Kind m_kind;
    QString m_loadedText;
};

class MemoBinding : public Binding
{
    Q_OBJECT
public:
    MemoBinding(QPlainTextEdit *memo,
                storage::RowSource *rows,
                const QString &column,
                int fieldCode);
    QPlainTextEdit *memo() const;
    bool isPending() const override;

protected:
    QVariant shown() const override;
    void show(const QVariant &value) override;

private:
    QString m_loadedText;
};

// A yes/no column. Click reactions run only on the user's click, before the new state
// reaches the column; they read the control's state.
class CheckBinding : public Binding
{
    Q_OBJECT
public:
    CheckBinding(QCheckBox *check,
                 storage::RowSource *rows,
                 const QString &column,
                 int fieldCode,
                 rules::MarkKind kind = rules::MarkKind::OfficeCheckBox);
    QCheckBox *check() const;
    rules::MarkKind markKind() const override { return m_kind; }
    void clearColumn() override;
    bool isPending() const override { return false; }

    void onClick(std::function<void(bool checked)> reaction);

protected:
    QVariant shown() const override;
    void show(const QVariant &value) override;

private:
    void clicked(bool checked);
    rules::MarkKind m_kind;
    std::vector<std::function<void(bool)>> m_clickReactions;
};

// Exclusive answers stored as long integers (1 "ДА", 2 "НЕ", 3 …); empty = none checked.
// Change reactions run whenever the shown answer changes (user, load, clear, close);
// click reactions only on the user's click.
class RadioBinding : public Binding
{
    Q_OBJECT
public:
    struct Choice
    {
        int value;
        QString caption;
    };
    RadioBinding(QGroupBox *group,
                 storage::RowSource *rows,
                 const QString &column,
                 int fieldCode,
                 const QList<Choice> &choices,
                 int columns = 1);
    QGroupBox *group() const;
    rules::MarkKind markKind() const override { return rules::MarkKind::Panel; }
    bool ownsChildFocus() const override { return true; }
    bool isPending() const override;

    QAbstractButton *button(int value) const;
    // The answer the group shows (null for none).
    QVariant shownValue() const { return shown(); }
    // Shows an answer without storing it (a reaction putting the group back).
    void setShownValue(const QVariant &value);

    void onChange(std::function<void(const QVariant &shown)> reaction);
    void onClick(std::function<void(int value)> reaction);

protected:
    QVariant shown() const override;
    void show(const QVariant &value) override;

private:
    void setChecked(const QVariant &value);
    void notifyIfChanged();
    QButtonGroup *m_buttons;
    QVariant m_lastShown;
    std::vector<std::function<void(const QVariant &)>> m_changeReactions;
    std::vector<std::function<void(int)>> m_clickReactions;
};

// A key column chosen from a register list by its shown name. Typing searches the names
// (case-insensitive, Cyrillic too); the choice reaches the column at once.
class LookupBinding : public Binding
{
    Q_OBJECT
public:
    LookupBinding(QComboBox *combo,
                  storage::RowSource *rows,
                  const QString &column,
                  int fieldCode,
                  storage::ListModel *list,
                  const QString &keyField,
                  const QString &nameField,
                  bool clearOnDelete = true);
    QComboBox *combo() const;
    storage::ListModel *list() const { return m_list; }
    bool isPending() const override { return false; }
    // ClearControlField leaves look-ups alone: they are not cleared with their group.
    void clearColumn() override {}

protected:
    QVariant shown() const override;
    void show(const QVariant &value) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chosen();
    storage::ListModel *m_list;
    QString m_keyField;
    QString m_nameField;
    bool m_clearOnDelete;
};

// The bindings of one window: keeps the controls in step with their row sources and runs
// the user's writes through one action runner (the editor scopes and guards them).
class BindingSet : public QObject
{
    Q_OBJECT
public:
    explicit BindingSet(QObject *parent = nullptr);
    ~BindingSet() override;

    // Takes ownership; the control must already carry its objectName.
    template<typename B> B *add(std::unique_ptr<B> binding)
    {
        B *raw = binding.get();
        adopt(std::move(binding));
        return raw;
    }

    Binding *byControl(const QWidget *control) const;
    Binding *byName(const QString &controlName) const;
    // The binding whose control is the widget, or holds it when it owns its children's focus.
    Binding *owning(const QWidget *widget) const;
    QList<Binding *> byColumn(const storage::RowSource *rows, const QString &column) const;
    QList<Binding *> all() const;

    // Writes every pending input (before a save, a check or closing).
    void commitAll();
    void reloadAll(const storage::RowSource *rows);

    // Every user write goes through this; by default it just runs.
    void setActionRunner(std::function<void(const std::function<void()> &)> runner)
    {
        m_runner = std::move(runner);
    }
    void runAction(const std::function<void()> &action);

signals:
    // The user chose in a look-up list: the shown name was assigned as well as the key.
    void shownNameAssigned(kesp::declaration::Binding *binding);

private:
    void adopt(std::unique_ptr<Binding> binding);
    void watch(storage::RowSource *rows);

    std::vector<std::unique_ptr<Binding>> m_bindings;
    QHash<const QWidget *, Binding *> m_byControl;
    QList<storage::RowSource *> m_watched;
    std::function<void(const std::function<void()> &)> m_runner;
};

} // namespace kesp::declaration
