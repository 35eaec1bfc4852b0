#pragma once

#include "detailrowdialog.h"

#include <optional>

class QLineEdit;

namespace kesp::declaration {

// A share of working time taken by regulated rest breaks (section IV, item 53).
class TfmPochivkiEdit : public DetailRowDialog
{
    Q_OBJECT
public:
    explicit TfmPochivkiEdit(QWidget *parent = nullptr);
    ~TfmPochivkiEdit() override;

    // The percentage as the user may type it: digits with "," or "." as the separator.
    static std::optional<double> parsePercent(const QString &text);
    // The way a stored percentage is shown ("12,5").
    static QString formatPercent(double value);

protected:
    void checkTypedValues() override;
    void ownChecks() override;
    QWidget *startControl() const override;

private:
    QLineEdit *m_edtProcent;
    QLineEdit *m_edtBroiRaboteshti;
};

TfmPochivkiEdit *fmPochivkiEdit();

} // namespace kesp::declaration
