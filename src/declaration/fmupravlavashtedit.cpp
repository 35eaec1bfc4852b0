#include "fmupravlavashtedit.h"

#include "errors.h"
#include "rowsource.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace kesp::declaration {

namespace {

TfmUpravlavashtEdit *g_form = nullptr;

const QString kNotSignatory = QStringLiteral(
    "Декларацията може да се подава само от лица, които са представляващи съответното "
    "юридическо или физическо лице");

} // namespace

TfmUpravlavashtEdit *fmUpravlavashtEdit()
{
    return g_form;
}

TfmUpravlavashtEdit::TfmUpravlavashtEdit(QWidget *parent)
    : DetailRowDialog(QStringLiteral("I_UPRAVLIAVASHTI"),
                {{QStringLiteral("IMENA"), QStringLiteral("Име")},
                 {QStringLiteral("DLAJNOST"), QStringLiteral("Длъжност")},
                 {QStringLiteral("TELEFON"), QStringLiteral("Тел./Факс")},
                 {QStringLiteral("TIP_DLAJNOST"), QStringLiteral("Тип длъжност")}},
                parent)
    , m_edtImena(new QLineEdit(this))
    , m_edtDlajnost(new QLineEdit(this))
    , m_edtTelefon(new QLineEdit(this))
    , m_edtEmail(new QLineEdit(this))
    , m_rgTipDlajnost(new QGroupBox(QStringLiteral(" Управляващ / Представляващ * "), this))
    , m_tipDlajnost(new QButtonGroup(this))
    , m_chkIsPodavasht(new QCheckBox(QStringLiteral("Подписващ декларацията"), this))
{
    setObjectName(QStringLiteral("fmUpravlavashtEdit"));
    m_edtImena->setObjectName(QStringLiteral("edtImena"));
    m_edtDlajnost->setObjectName(QStringLiteral("edtDlajnost"));
    m_edtTelefon->setObjectName(QStringLiteral("edtTelefon"));
    m_edtEmail->setObjectName(QStringLiteral("edtEmail"));
    m_rgTipDlajnost->setObjectName(QStringLiteral("rgTipDlajnost"));
    m_chkIsPodavasht->setObjectName(QStringLiteral("chkIsPodavasht"));
    m_edtImena->setMinimumWidth(360);

    const struct
    {
        const char *name;
        const char *caption;
        int value;
    } choices[] = {{"rbUpravliavasht", "Управляващ", 1},
                   {"rbPredstavliavasht", "Представляващ", 2},
                   {"rbUpravliavashtIPredstavliavasht", "Управляващ и представляващ", 3}};
    auto *choiceLayout = new QHBoxLayout(m_rgTipDlajnost);
    for (const auto &c : choices) {
        auto *b = new QRadioButton(QString::fromUtf8(c.caption), m_rgTipDlajnost);
        b->setObjectName(QString::fromLatin1(c.name));
        m_tipDlajnost->addButton(b, c.value);
        choiceLayout->addWidget(b);
    }
    choiceLayout->addStretch(1);

    QGridLayout *g = body();
    g->addWidget(addLabel(QStringLiteral("Име, презиме, фамилия *"), m_edtImena), 0, 0);
    g->addWidget(m_edtImena, 0, 1);
    g->addWidget(addInfoButton(4), 0, 2, Qt::AlignTop);
    g->addWidget(addLabel(QStringLiteral("Длъжност *"), m_edtDlajnost), 1, 0);
    g->addWidget(m_edtDlajnost, 1, 1);
    g->addWidget(addLabel(QStringLiteral("Тел. / Факс *"), m_edtTelefon), 2, 0);
    g->addWidget(m_edtTelefon, 2, 1);
    g->addWidget(addLabel(QStringLiteral("E-mail"), m_edtEmail), 3, 0);
    g->addWidget(m_edtEmail, 3, 1);
    g->addWidget(m_rgTipDlajnost, 4, 0, 1, 2);
    g->addWidget(m_chkIsPodavasht, 5, 0, 1, 2);

    bindText(m_edtImena, QStringLiteral("IMENA"));
    bindText(m_edtDlajnost, QStringLiteral("DLAJNOST"));
    bindText(m_edtTelefon, QStringLiteral("TELEFON"));
    bindText(m_edtEmail, QStringLiteral("EMAIL"));
    bindChoice(m_tipDlajnost, QStringLiteral("TIP_DLAJNOST"));
    bindCheck(m_chkIsPodavasht, QStringLiteral("IS_PODAVASHT"));

    QWidget::setTabOrder(m_edtImena, m_edtDlajnost);
    QWidget::setTabOrder(m_edtDlajnost, m_edtTelefon);
    QWidget::setTabOrder(m_edtTelefon, m_edtEmail);
    QWidget::setTabOrder(m_edtEmail, m_tipDlajnost->button(1));
    QWidget::setTabOrder(m_tipDlajnost->button(3), m_chkIsPodavasht);
    QWidget::setTabOrder(m_chkIsPodavasht, btnOK());
    QWidget::setTabOrder(btnOK(), btnCancel());

    g_form = this;
}

TfmUpravlavashtEdit::~TfmUpravlavashtEdit()
{
    if (g_form == this)
        g_form = nullptr;
}

void TfmUpravlavashtEdit::newRow(int)
{
    qryDataEdit().setValue(QStringLiteral("IS_PODAVASHT"), false);
}

void TfmUpravlavashtEdit::CheckSignatory()
{
    const storage::RowSource &row = qryDataEdit();
    if (row.value(QStringLiteral("IS_PODAVASHT")).toBool()
        && row.value(QStringLiteral("TIP_DLAJNOST")).toInt() == 1)
        throw ValueError(kNotSignatory);
}

void TfmUpravlavashtEdit::ownChecks()
{
    CheckSignatory();
}

QWidget *TfmUpravlavashtEdit::startControl() const
{
    return m_edtImena;
}

} // namespace kesp::declaration
