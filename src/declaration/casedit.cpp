#include "casedit.h"

#include "listmodel.h"
#include "registercombo.h"
#include "rowsource.h"

#include <QFrame>
#include <QGridLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>

namespace kesp::declaration {

namespace {

const QString kNone = QStringLiteral("< не е указан >");
const QString kNumber = QStringLiteral("CAS №");

} // namespace

CasEditDialog::CasEditDialog(const QString &table, QWidget *parent)
    : DetailRowDialog(table,
                {{QStringLiteral("CAS_HIM_AGENT"), QStringLiteral("CAS Хим. агент")},
                 {QStringLiteral("BROI"), QStringLiteral("Брой работещи")}},
                parent)
    , m_cas(new storage::ListModel(QSqlDatabase(), this))
    , m_lcbCasNomer(new RegisterCombo(this))
    , m_lcbHimAgent(new RegisterCombo(this))
    , m_edtCasNomer(new QLineEdit(this))
    , m_edtCasHimAgent(new QLineEdit(this))
    , m_edtBroi(new QLineEdit(this))
{
    m_cas->setSql(QStringLiteral("select * from CAS"));

    m_lcbCasNomer->setObjectName(QStringLiteral("lcbCasNomer"));
    m_lcbHimAgent->setObjectName(QStringLiteral("lcbHimAgent"));
    m_edtCasNomer->setObjectName(QStringLiteral("edtCasNomer"));
    m_edtCasHimAgent->setObjectName(QStringLiteral("edtCasHimAgent"));
    m_edtBroi->setObjectName(QStringLiteral("edtBroi"));
    for (RegisterCombo *c : {m_lcbCasNomer, m_lcbHimAgent}) {
        c->setNoneText(kNone);
        c->setRegister(m_cas,
                       QStringLiteral("CAS_CODE"),
                       c == m_lcbCasNomer ? QStringLiteral("NOMER") : QStringLiteral("HIM_AGENT"));
    }
    m_lcbCasNomer->setMinimumContentsLength(14);
    m_lcbHimAgent->setMinimumContentsLength(50);
    m_edtBroi->setFixedWidth(110);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QGridLayout *g = body();
    g->addWidget(addLabel(kNumber, m_lcbCasNomer), 0, 0);
    g->addWidget(addLabel(QStringLiteral("Химичен агент"), m_lcbHimAgent), 0, 1);
    g->addWidget(m_lcbCasNomer, 1, 0);
    g->addWidget(m_lcbHimAgent, 1, 1, 1, 2);
    g->addWidget(line, 2, 0, 1, 3);
    g->addWidget(addLabel(kNumber, m_edtCasNomer), 3, 0);
    g->addWidget(addLabel(QStringLiteral("Химичен агент *"), m_edtCasHimAgent), 3, 1);
    g->addWidget(addLabel(QStringLiteral("Брой работещи *"), m_edtBroi), 3, 2);
    g->addWidget(m_edtCasNomer, 4, 0);
    g->addWidget(m_edtCasHimAgent, 4, 1);
    g->addWidget(m_edtBroi, 4, 2);

    bindLookup(m_lcbCasNomer, QStringLiteral("CAS_CODE"));
    bindLookup(m_lcbHimAgent, QStringLiteral("CAS_CODE"));
    bindText(m_edtCasNomer, QStringLiteral("CAS_NOMER"));
    bindText(m_edtCasHimAgent, QStringLiteral("CAS_HIM_AGENT"));
    bindCount(m_edtBroi, QStringLiteral("BROI"));

    QWidget::setTabOrder(m_lcbCasNomer, m_lcbHimAgent);
    QWidget::setTabOrder(m_lcbHimAgent, m_edtCasNomer);
    QWidget::setTabOrder(m_edtCasNomer, m_edtCasHimAgent);
    QWidget::setTabOrder(m_edtCasHimAgent, m_edtBroi);
    QWidget::setTabOrder(m_edtBroi, btnOK());
    QWidget::setTabOrder(btnOK(), btnCancel());
}

void CasEditDialog::beforeOpen()
{
    if (ensureOpen(*m_cas)) {
        m_lcbCasNomer->reload();
        m_lcbHimAgent->reload();
    }
}

void CasEditDialog::afterOpen()
{
    UpdateCasFieldsReadOnly();
}

void CasEditDialog::columnChanged(const QString &column, const QVariant &value)
{
    if (column != QLatin1String("CAS_CODE"))
        return;
    storage::RowSource &row = qryDataEdit();
    row.setValue(QStringLiteral("CAS_NOMER"),
                 lookup(*m_cas, QStringLiteral("CAS_CODE"), value, QStringLiteral("NOMER")));
    row.setValue(QStringLiteral("CAS_HIM_AGENT"),
                 lookup(*m_cas, QStringLiteral("CAS_CODE"), value, QStringLiteral("HIM_AGENT")));
    UpdateCasFieldsReadOnly();
}

void CasEditDialog::UpdateCasFieldsReadOnly()
{
    const bool locked = !qryDataEdit().value(QStringLiteral("CAS_CODE")).isNull();
    for (QLineEdit *edit : {m_edtCasNomer, m_edtCasHimAgent}) {
        edit->setReadOnly(locked);
        // A locked edit looks like the window behind it, so the lock is seen.
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, palette().color(locked ? QPalette::Window : QPalette::Base));
        edit->setPalette(p);
    }
}

QWidget *CasEditDialog::startControl() const
{
    return m_lcbCasNomer;
}

} // namespace kesp::declaration
