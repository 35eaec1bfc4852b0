#include "fmeik.h"

#include "carryover.h"
#include "tdmmain.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kesp::app {

namespace {
TfmEIK *g_fmEIK = nullptr;
}

TfmEIK *fmEIK()
{
    return g_fmEIK;
}

TfmEIK::TfmEIK(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fmEIK"));
    setWindowTitle(QStringLiteral("Нова декларация или уведомление"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto *column = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral(" Тип документ "), this);
    group->setObjectName(QStringLiteral("grpDocumentType"));
    auto *choices = new QHBoxLayout(group);
    rbDeklaracia = new QRadioButton(QStringLiteral("Декларация"), group);
    rbDeklaracia->setObjectName(QStringLiteral("rbDeklaracia"));
    rbUvedomlenie = new QRadioButton(QStringLiteral("Уведомление"), group);
    rbUvedomlenie->setObjectName(QStringLiteral("rbUvedomlenie"));
    auto *buttons = new QButtonGroup(group);
    buttons->addButton(rbDeklaracia, 0);
    buttons->addButton(rbUvedomlenie, 1);
    choices->addWidget(rbDeklaracia);
    choices->addWidget(rbUvedomlenie);
    column->addWidget(group);

    auto *label = new QLabel(QStringLiteral("ЕИК / ЕГН на задълженото лице"), this);
    edtEIK = new QLineEdit(this);
    edtEIK->setObjectName(QStringLiteral("edtEIK"));
    label->setBuddy(edtEIK);
    column->addWidget(label);
    column->addWidget(edtEIK);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setToolTip(QStringLiteral("Записване на данните в декларацията и затваряне на текущия прозорец."));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Отказ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(
        QStringLiteral("Затваряне на текущия прозорец без записване на последните промени по декларацията."));
    row->addWidget(btnOK);
    row->addWidget(btnCancel);
    column->addLayout(row);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(340, sizeHint().height());
    g_fmEIK = this;
}

TfmEIK::~TfmEIK()
{
    if (g_fmEIK == this)
        g_fmEIK = nullptr;
}

void TfmEIK::setNotificationAvailable(bool available)
{
    rbUvedomlenie->setEnabled(available);
}

int TfmEIK::SelectDocument()
{
    edtEIK->clear();
    rbDeklaracia->setChecked(true);
    edtEIK->setFocus();
    if (exec() != QDialog::Accepted)
        return 0;
    return rbUvedomlenie->isChecked() ? 2 : 1;
}

bool TfmEIK::ImportDeklaracia(int newCode)
{
    return storage::ImportDeklaracia(storage::dmMain()->database(), newCode, edtEIK->text());
}

void TfmEIK::ImportUvedomlenie(storage::RowSource &notification)
{
    storage::ImportUvedomlenie(storage::dmMain()->database(), notification, edtEIK->text());
}

} // namespace kesp::app
