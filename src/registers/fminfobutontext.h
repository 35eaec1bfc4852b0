#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QLabel;
class QPushButton;
class QTextEdit;

namespace kesp::registers {

// The guidance behind an info button: the rich text stored under the button's code.
class TfmInfoButonText : public QDialog
{
    Q_OBJECT
public:
    explicit TfmInfoButonText(QWidget *parent = nullptr);
    ~TfmInfoButonText() override;

    // Shows the text of that code modally; returns when the user closes the window.
    void OpenInfoButon(int AInfoButonCode);
    // What OpenInfoButon shows, without showing it. Throws DatabaseError when the
    // table cannot be read.
    void load(int AInfoButonCode);

    // The database read; the process-wide connection when none is set.
    void setDatabase(const QSqlDatabase &db) { m_db = db; }

    QTextEdit *edtText() const { return m_edtText; }
    QPushButton *btnOK() const { return m_btnOK; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QSqlDatabase database() const;

    QSqlDatabase m_db;
    QLabel *m_lblTitle;
    QTextEdit *m_edtText;
    QPushButton *m_btnOK;
};

// The process-wide window (created once at start-up).
TfmInfoButonText *fmInfoButonText();

} // namespace kesp::registers
