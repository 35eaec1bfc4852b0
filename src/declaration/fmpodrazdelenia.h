#pragma once

#include "detailrowdialog.h"

class QLineEdit;

namespace kesp::storage {
class ListModel;
}

namespace kesp::declaration {

class RegisterCombo;

// A subdivision of the enterprise outside its address (section II, item 8).
class TfmPodrazdelenia : public DetailRowDialog
{
    Q_OBJECT
public:
    explicit TfmPodrazdelenia(QWidget *parent = nullptr);
    ~TfmPodrazdelenia() override;

    RegisterCombo *lcbOblast() const { return m_lcbOblast; }
    RegisterCombo *lcbKidKod() const { return m_lcbKidKod; }
    RegisterCombo *lcbKidNaimenovanie() const { return m_lcbKidNaimenovanie; }

protected:
    QString addCaption() const override;
    QString editCaption() const override;
    void beforeOpen() override;
    void ownChecks() override;
    void afterCall() override;
    void columnChanged(const QString &column, const QVariant &value) override;
    QWidget *startControl() const override;

private:
    storage::ListModel *m_oblasti;
    storage::ListModel *m_kid;
    QLineEdit *m_edtNaimenovanie;
    QLineEdit *m_edtBroiNaetiLica;
    RegisterCombo *m_lcbOblast;
    QLineEdit *m_edtAdres;
    RegisterCombo *m_lcbKidKod;
    RegisterCombo *m_lcbKidNaimenovanie;
    QLineEdit *m_edtRakovoditel;
};

TfmPodrazdelenia *fmPodrazdelenia();

} // namespace kesp::declaration
