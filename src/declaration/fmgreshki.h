#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <functional>

namespace kesp {
class RtfWriter;
}

class QPushButton;
class QTextDocument;
class QTextEdit;

namespace kesp::declaration {

// The list of violated correctness rules of one document, with a heading that names the
// document and the obliged person; it can be printed or saved as RTF.
class TfmGreshki : public QDialog
{
    Q_OBJECT
public:
    // Prints a document on the default printer under a job title; false (or a throw)
    // when it was not printed. Replaceable so that tests need no printer.
    using PrintStep = std::function<bool(const QTextDocument &document, const QString &jobTitle)>;

    explicit TfmGreshki(QWidget *parent = nullptr);
    ~TfmGreshki() override;

    // Fills the window and shows it modally; returns when the user closes it.
    void ShowWithErrors(const QString &text,
                        const QString &EIK,
                        const QString &Lice,
                        const QString &Vid);
    // What ShowWithErrors shows, without showing it.
    void fill(const QString &text, const QString &EIK, const QString &Lice, const QString &Vid);

    // The three heading lines, separated by line feed and carriage return.
    static QString heading(const QString &EIK, const QString &Lice, const QString &Vid);
    // The person a document names: the legal entity's name when it is not blank, else
    // the natural person's names.
    static QString personName(const QString &naimenovanieUL, const QString &imenaFL);
    // False for an identifier that cannot go into a file name on any of our platforms.
    static bool isUsableInFileName(const QString &EIK);
    // The report's file in a folder.
    static QString filePath(const QString &folder, const QString &EIK);

    QString EIKstr() const { return m_EIKstr; }
    QTextEdit *edt1() const { return m_edt1; }
    // The box's content as an RTF document.
    QByteArray toRtf() const;

    void setPrintStep(PrintStep step) { m_printStep = std::move(step); }
    static bool printOnDefaultPrinter(const QTextDocument &document, const QString &jobTitle);

    // "Отпечатай..." and "Запиши във файл...".
    void btnPrintClick();
    void btnSaveClick();

private:
    RtfWriter rtfDocument() const;

    QString m_EIKstr;
    QTextEdit *m_edt1;
    QPushButton *m_btnPrint;
    QPushButton *m_btnSave;
    QPushButton *m_btnExit;
    PrintStep m_printStep;
};

// The process-wide window (created once at start-up).
TfmGreshki *fmGreshki();

} // namespace kesp::declaration
