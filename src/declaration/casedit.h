#pragma once

#include "detailrowdialog.h"

class QLineEdit;

namespace kesp::storage {
class ListModel;
}

namespace kesp::declaration {

class RegisterCombo;

// An identified chemical agent of appendix 2: either chosen from the register, whose
// number and name are then copied and locked, or typed in with no register reference.
// The two lists of the appendix differ only in their table.
class CasEditDialog : public DetailRowDialog
{
    Q_OBJECT
public:
    RegisterCombo *lcbCasNomer() const { return m_lcbCasNomer; }
    RegisterCombo *lcbHimAgent() const { return m_lcbHimAgent; }

    // Number and name are read-only while an agent of the register is chosen.
    void UpdateCasFieldsReadOnly();

protected:
    CasEditDialog(const QString &table, QWidget *parent);

    void beforeOpen() override;
    void afterOpen() override;
    void columnChanged(const QString &column, const QVariant &value) override;
    QWidget *startControl() const override;

private:
    storage::ListModel *m_cas;
    RegisterCombo *m_lcbCasNomer;
    RegisterCombo *m_lcbHimAgent;
    QLineEdit *m_edtCasNomer;
    QLineEdit *m_edtCasHimAgent;
    QLineEdit *m_edtBroi;
};

} // namespace kesp::declaration
