#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QVariant>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kesp::storage {
class ListModel;
class RowSource;
} // namespace kesp::storage

namespace kesp::declaration {

class RegisterCombo;

// The frame the detail-row dialogs share: one row of one table edited through bound
// controls, a bar with the required-field note, "OK" and "Отказ", and the three calls
// the declaration editor makes. "OK" checks and saves before the window closes; a
// failed check or save leaves it open with the row as typed.
class DetailRowDialog : public QDialog
{
    Q_OBJECT
public:
    // What an info button does with its code; the application points it at the help
    // window. Without one the help window is opened directly.
    using InfoHook = std::function<void(int code)>;
    static void setInfoHook(InfoHook hook);
    static void openInfo(int code);

    // Adds a row to the declaration; the new row's key, or -1 when the user cancelled.
    int AddItem(int viDeklaraciaCode);
    // True when the user closed with "OK" and the row was saved.
    bool EditItem(int AItemCode);
    // Asks, then deletes; true when the row was deleted. Database failures throw.
    bool DeleteItem(int AItemCode);

    storage::RowSource &qryDataEdit() const { return *m_row; }
    QString table() const { return m_table; }
    QPushButton *btnOK() const { return m_btnOK; }
    QPushButton *btnCancel() const { return m_btnCancel; }

    static QString deleteQuestion();

    ~DetailRowDialog() override;

protected:
    // The required columns with the labels the check names them by, in check order.
    DetailRowDialog(const QString &table,
              const QList<QPair<QString, QString>> &required,
              QWidget *parent);

    // Where a dialog puts its controls, above the button bar.
    QGridLayout *body() const { return m_body; }

    QSqlDatabase database() const;
    // Reads a register list on first use (true then); it stays read for later calls.
    bool ensureOpen(storage::ListModel &list);
    // A field of the register row with that key; null when there is none.
    static QVariant lookup(const storage::ListModel &list,
                           const QString &keyField,
                           const QVariant &key,
                           const QString &field);

    // Bindings: the control shows its column and the user's input goes into it.
    void bindText(QLineEdit *edit, const QString &column);
    // Digits only, 0 to 2 147 483 647.
    void bindCount(QLineEdit *edit, const QString &column);
    void bindCheck(QCheckBox *box, const QString &column);
    void bindChoice(QButtonGroup *group, const QString &column);
    void bindLookup(RegisterCombo *combo, const QString &column);
    // Any other way of showing a column.
    void bindShow(QWidget *control, const QString &column,
                  std::function<void(const QVariant &)> show);
    // Stores a value typed into a control (ignored while the frame itself shows values).
    void store(QWidget *from, const QString &column, const QVariant &value);
    void showAll();

    QLabel *addLabel(const QString &text, QWidget *buddy);
    QToolButton *addInfoButton(int code);

    // Steps of the calls, for the dialogs to fill in.
    virtual QString addCaption() const;
    virtual QString editCaption() const;
    virtual void beforeOpen() {}
    virtual void newRow(int declarationCode) { Q_UNUSED(declarationCode) }
    virtual void afterOpen() {}
    // Values typed into controls that have to be read before the required check.
    virtual void checkTypedValues() {}
    // The dialog's own checks after the required check; throw to keep the window open.
    virtual void ownChecks() {}
    // After the window has closed, whatever the outcome.
    virtual void afterCall() {}
    // A column of the row changed, by the user or by code.
    virtual void columnChanged(const QString &column, const QVariant &value)
    {
        Q_UNUSED(column)
        Q_UNUSED(value)
    }
    virtual QWidget *startControl() const = 0;

    int declarationCode() const { return m_declarationCode; }
    bool isNewRow() const;

    void done(int result) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Binding
    {
        QWidget *control;
        QString column;
        std::function<void(const QVariant &)> show;
    };

    void openRow(int key);
    void finishCall();
    bool acceptRow();
    void save();
    void onValueChanged(const QString &column, const QVariant &value);

    QString m_table;
    std::unique_ptr<storage::RowSource> m_row;
    QList<Binding> m_bindings;
    QList<QPair<QLineEdit *, QString>> m_lengthLimited;
    QWidget *m_storingFrom = nullptr;
    bool m_showing = false;
    int m_declarationCode = -1;

    QGridLayout *m_body;
    QLabel *m_lblNote;
    QPushButton *m_btnOK;
    QPushButton *m_btnCancel;
};

} // namespace kesp::declaration
