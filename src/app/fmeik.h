#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QPushButton;

namespace kesp::storage {
class RowSource;
}

namespace kesp::app {

// "Нова декларация или уведомление": the kind of the new document and the obliged
// person's identifier, and the carry-over of that person's earlier document.
class TfmEIK : public QDialog
{
    Q_OBJECT
public:
    explicit TfmEIK(QWidget *parent = nullptr);
    ~TfmEIK() override;

    // 0 when cancelled, 1 for a declaration, 2 for a notification.
    int SelectDocument();
    // Called by the declaration editor right after the new rows were written.
    bool ImportDeklaracia(int newCode);
    // Called by the notification editor on its new, unsaved row.
    void ImportUvedomlenie(storage::RowSource &notification);

    // Until the notification editor exists the choice is not offered.
    void setNotificationAvailable(bool available);

    QRadioButton *rbDeklaracia = nullptr;
    QRadioButton *rbUvedomlenie = nullptr;
    QLineEdit *edtEIK = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};

TfmEIK *fmEIK();

} // namespace kesp::app
