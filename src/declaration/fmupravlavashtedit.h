#pragma once

#include "detailrowdialog.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace kesp::declaration {

// A manager or representative of the employer (section I, item 3).
class TfmUpravlavashtEdit : public DetailRowDialog
{
    Q_OBJECT
public:
    explicit TfmUpravlavashtEdit(QWidget *parent = nullptr);
    ~TfmUpravlavashtEdit() override;

    // Only a representative may sign the declaration.
    void CheckSignatory();

protected:
    void newRow(int declarationCode) override;
    void ownChecks() override;
    QWidget *startControl() const override;

private:
    QLineEdit *m_edtImena;
    QLineEdit *m_edtDlajnost;
    QLineEdit *m_edtTelefon;
    QLineEdit *m_edtEmail;
    QGroupBox *m_rgTipDlajnost;
    QButtonGroup *m_tipDlajnost;
    QCheckBox *m_chkIsPodavasht;
};

TfmUpravlavashtEdit *fmUpravlavashtEdit();

} // namespace kesp::declaration
