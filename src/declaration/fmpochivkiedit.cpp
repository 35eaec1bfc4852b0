#include "fmpochivkiedit.h"

#include "errors.h"
#include "numbers.h"
#include "rowsource.h"

#include <QGridLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace kesp::declaration {

namespace {

TfmPochivkiEdit *g_form = nullptr;

const QString kOutOfRange = QStringLiteral(
    "Не е допустимо въвеждането на стойност, по-голяма от 50 или по-малка от 0, за полето "
    "\"% от работното време\"!");
const QString kNotANumber = QStringLiteral(
    "Полето \"% от работното време\" трябва да съдържа число, например 12,5!");

} // namespace

TfmPochivkiEdit *fmPochivkiEdit()
{
    return g_form;
}

std::optional<double> TfmPochivkiEdit::parsePercent(const QString &text)
{
    // Stricter than the general reader: letters never pass as a separator.
    static const QRegularExpression number(QStringLiteral("^\\s*-?(\\d+([.,]\\d*)?|[.,]\\d+)\\s*$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return StrToFloatAny(text);
}

QString TfmPochivkiEdit::formatPercent(double value)
{
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

TfmPochivkiEdit::TfmPochivkiEdit(QWidget *parent)
    : DetailRowDialog(QStringLiteral("IV_POCHIVKI"),
                {{QStringLiteral("PROCENT"), QStringLiteral("% от работното време ")},
                 {QStringLiteral("BROI_RABOTESHTI"), QStringLiteral("Брой работещи")}},
                parent)
    , m_edtProcent(new QLineEdit(this))
    , m_edtBroiRaboteshti(new QLineEdit(this))
{
    setObjectName(QStringLiteral("fmPochivkiEdit"));
    m_edtProcent->setObjectName(QStringLiteral("edtProcent"));
    m_edtBroiRaboteshti->setObjectName(QStringLiteral("edtBroiRaboteshti"));
    m_edtProcent->setMaxLength(20);
    m_edtProcent->setFixedWidth(120);
    m_edtBroiRaboteshti->setFixedWidth(120);

    QGridLayout *g = body();
    g->addWidget(addLabel(QStringLiteral("% от работното време *"), m_edtProcent), 0, 0);
    g->addWidget(m_edtProcent, 0, 1, Qt::AlignLeft);
    g->addWidget(addLabel(QStringLiteral("Брой работещи *"), m_edtBroiRaboteshti), 1, 0);
    g->addWidget(m_edtBroiRaboteshti, 1, 1, Qt::AlignLeft);
    g->setColumnStretch(1, 1);

    // Any text may be typed; what is not a number is refused when "OK" is pressed.
    const QString procent = QStringLiteral("PROCENT");
    bindShow(m_edtProcent, procent, [this](const QVariant &v) {
        const QString text = v.isNull() ? QString() : formatPercent(v.toDouble());
        if (m_edtProcent->text() != text)
            m_edtProcent->setText(text);
    });
    connect(m_edtProcent, &QLineEdit::textEdited, this, [this, procent](const QString &text) {
        const auto value = parsePercent(text);
        store(m_edtProcent, procent, value ? QVariant(*value) : QVariant());
    });
    bindCount(m_edtBroiRaboteshti, QStringLiteral("BROI_RABOTESHTI"));

    QWidget::setTabOrder(m_edtProcent, m_edtBroiRaboteshti);
    QWidget::setTabOrder(m_edtBroiRaboteshti, btnOK());
    QWidget::setTabOrder(btnOK(), btnCancel());

    g_form = this;
}

TfmPochivkiEdit::~TfmPochivkiEdit()
{
    if (g_form == this)
        g_form = nullptr;
}

void TfmPochivkiEdit::checkTypedValues()
{
    const QString text = m_edtProcent->text();
    if (!text.trimmed().isEmpty() && !parsePercent(text)) {
        m_edtProcent->setFocus();
        throw ValueError(kNotANumber);
    }
}

void TfmPochivkiEdit::ownChecks()
{
    const double procent = qryDataEdit().value(QStringLiteral("PROCENT")).toDouble();
    if (procent > 50 || procent < 0) {
        m_edtProcent->setFocus();
        throw ValueError(kOutOfRange);
    }
}

QWidget *TfmPochivkiEdit::startControl() const
{
    return m_edtProcent;
}

} // namespace kesp::declaration
