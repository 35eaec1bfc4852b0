#include "fminfobutontext.h"

#include "cp1251.h"
#include "database.h"
#include "errors.h"
#include "rtfreader.h"
#include "tdmmain.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kesp::registers {

namespace {

TfmInfoButonText *g_fmInfoButonText = nullptr;

const QString kCaption = QStringLiteral("Информация");
const QString kTitle = QStringLiteral("Помощна информация за попълване на данните в секцията");
const QString kOK = QStringLiteral("OK");

} // namespace

TfmInfoButonText *fmInfoButonText()
{
    return g_fmInfoButonText;
}

TfmInfoButonText::TfmInfoButonText(QWidget *parent)
    : QDialog(parent)
    , m_lblTitle(new QLabel(kTitle, this))
    , m_edtText(new QTextEdit(this))
    , m_btnOK(new QPushButton(kOK, this))
{
    setObjectName(QStringLiteral("fmInfoButonText"));
    setWindowTitle(kCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    resize(560, 420);

    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_lblTitle->setAlignment(Qt::AlignCenter);
    QFont bold = m_lblTitle->font();
    bold.setBold(true);
    m_lblTitle->setFont(bold);

    m_edtText->setObjectName(QStringLiteral("edtText"));
    m_edtText->setReadOnly(true);
    m_edtText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The texts are written in Arial; the metric twin stands in where Arial is absent.
    m_edtText->document()->setDefaultFont(QFont(QStringLiteral("Arial"), 8));

    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    bar->addWidget(m_btnOK);
    bar->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitle);
    layout->addWidget(m_edtText, 1);
    layout->addLayout(bar);

    g_fmInfoButonText = this;
}

TfmInfoButonText::~TfmInfoButonText()
{
    if (g_fmInfoButonText == this)
        g_fmInfoButonText = nullptr;
}

QSqlDatabase TfmInfoButonText::database() const
{
    if (m_db.isValid())
        return m_db;
    if (storage::TdmMain *dm = storage::dmMain())
        return dm->database();
    throw DatabaseError(QStringLiteral("Няма връзка с базата данни."));
}

void TfmInfoButonText::load(int AInfoButonCode)
{
    // The previous text goes first, so that a failed read never shows another code's text.
    m_edtText->clear();
    QSqlQuery q = storage::exec(database(),
                                QStringLiteral("select INFO_TEXT_BLOB from INFO_BUTONI "
                                               "where INFO_BUTON_CODE = ?"),
                                {AInfoButonCode});
    const QByteArray blob = q.next() ? q.value(0).toByteArray() : QByteArray();
    q.finish();
    // A code without a row or without a text shows an empty box.
    if (blob.isEmpty())
        return;
    if (RtfReader::isRtf(blob))
        m_edtText->setHtml(RtfReader(blob).html());
    else
        m_edtText->setPlainText(cp1251::decode(blob));
    m_edtText->moveCursor(QTextCursor::Start);
}

void TfmInfoButonText::OpenInfoButon(int AInfoButonCode)
{
    load(AInfoButonCode);
    exec();
}

void TfmInfoButonText::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_btnOK->setFocus();
}

} // namespace kesp::registers
