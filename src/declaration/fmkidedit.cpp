#include "fmkidedit.h"

#include "database.h"
#include "dialogs.h"
#include "errors.h"
#include "listmodel.h"
#include "namedsql.h"
#include "registercombo.h"
#include "rowsource.h"

#include <QGridLayout>
#include <QPushButton>
#include <QLabel>
#include <QSqlQuery>
#include <QToolButton>

namespace kesp::declaration {

namespace {

TfmKidEdit *g_form = nullptr;
TfmKidEdit::Appendix1Filled g_appendix1Filled;

const QString kNone = QStringLiteral("< не е указан >");
const QString kNotAClass = QStringLiteral("Трябва да изберете елемент, който е с 4-цифрен код!");
const QString kDuplicate = QStringLiteral("Към редактираната декларация вече има добавен този КИД!");
const QString kReminder = QStringLiteral(
    "Напомняне - при наличие на строителна дейност е необходимо да бъде попълнено "
    "Приложение № 1.");
const QString kDuplicateSql = QStringLiteral(
    "select II_KID_CODE from II_KID where (DEKLARACIA_CODE = :DEKLARACIA_CODE) and ( "
    "KID_CODE = :KID_CODE) and ( (:II_KID_CODE is null) or (II_KID_CODE <> :II_KID_CODE) )");

} // namespace

TfmKidEdit *fmKidEdit()
{
    return g_form;
}

void TfmKidEdit::setAppendix1Filled(Appendix1Filled source)
{
    g_appendix1Filled = std::move(source);
}

const QStringList &TfmKidEdit::constructionClasses()
{
    static const QStringList classes{
        QStringLiteral("41.10"), QStringLiteral("41.20"), QStringLiteral("42.11"),
        QStringLiteral("42.12"), QStringLiteral("42.13"), QStringLiteral("42.21"),
        QStringLiteral("42.22"), QStringLiteral("42.91"), QStringLiteral("42.99"),
        QStringLiteral("43.11"), QStringLiteral("43.12"), QStringLiteral("43.13"),
        QStringLiteral("43.21"), QStringLiteral("43.22"), QStringLiteral("43.29"),
        QStringLiteral("43.31"), QStringLiteral("43.32"), QStringLiteral("43.33"),
        QStringLiteral("43.34"), QStringLiteral("43.39"), QStringLiteral("43.91"),
        QStringLiteral("43.99")};
    return classes;
}

TfmKidEdit::TfmKidEdit(QWidget *parent)
    : DetailRowDialog(QStringLiteral("II_KID"),
                {{QStringLiteral("KID_CODE"), QStringLiteral("КИД код")},
                 {QStringLiteral("KID_TEKST"), QStringLiteral("Наименование")},
                 {QStringLiteral("KID_KOD"), QStringLiteral("Код")}},
                parent)
    , m_kid(new storage::ListModel(QSqlDatabase(), this))
    , m_lcbKod(new RegisterCombo(this))
    , m_lcbNaimenovanie(new RegisterCombo(this))
{
    setObjectName(QStringLiteral("fmKidEdit"));
    m_kid->setSql(QStringLiteral("select * from KID"));

    m_lcbKod->setObjectName(QStringLiteral("lcbKod"));
    m_lcbNaimenovanie->setObjectName(QStringLiteral("lcbNaimenovanie"));
    for (RegisterCombo *c : {m_lcbKod, m_lcbNaimenovanie}) {
        c->setNoneText(kNone);
        c->setRegister(m_kid,
                       QStringLiteral("KID_CODE"),
                       c == m_lcbKod ? QStringLiteral("KOD") : QStringLiteral("NAIMENOVANIE"));
    }
    m_lcbKod->setMinimumContentsLength(14);
    m_lcbNaimenovanie->setMinimumContentsLength(60);
    m_lcbNaimenovanie->setMaxVisibleItems(15);

    QGridLayout *g = body();
    g->addWidget(addLabel(QStringLiteral("Код"), m_lcbKod), 0, 0);
    g->addWidget(addLabel(QStringLiteral("Наименование"), m_lcbNaimenovanie), 0, 1);
    g->addWidget(addInfoButton(38), 0, 2, 2, 1, Qt::AlignTop);
    g->addWidget(m_lcbKod, 1, 0);
    g->addWidget(m_lcbNaimenovanie, 1, 1);

    bindLookup(m_lcbKod, QStringLiteral("KID_CODE"));
    bindLookup(m_lcbNaimenovanie, QStringLiteral("KID_CODE"));
    QWidget::setTabOrder(m_lcbKod, m_lcbNaimenovanie);
    QWidget::setTabOrder(m_lcbNaimenovanie, btnOK());
    QWidget::setTabOrder(btnOK(), btnCancel());

    g_form = this;
}

TfmKidEdit::~TfmKidEdit()
{
    if (g_form == this)
        g_form = nullptr;
}

void TfmKidEdit::beforeOpen()
{
    if (ensureOpen(*m_kid)) {
        m_lcbKod->reload();
        m_lcbNaimenovanie->reload();
    }
}

void TfmKidEdit::newRow(int declarationCode)
{
    // Set at once: the duplicate check needs it before the row is saved.
    qryDataEdit().setValue(QStringLiteral("DEKLARACIA_CODE"), declarationCode);
}

void TfmKidEdit::columnChanged(const QString &column, const QVariant &value)
{
    if (column != QLatin1String("KID_CODE"))
        return;
    storage::RowSource &row = qryDataEdit();
    row.setValue(QStringLiteral("KID_KOD"),
                 lookup(*m_kid, QStringLiteral("KID_CODE"), value, QStringLiteral("KOD")));
    row.setValue(QStringLiteral("KID_TEKST"),
                 lookup(*m_kid, QStringLiteral("KID_CODE"), value, QStringLiteral("NAIMENOVANIE")));
}

bool TfmKidEdit::appendix1Filled(int declarationCode) const
{
    if (g_appendix1Filled)
        return g_appendix1Filled(declarationCode);
    return storage::scalar(database(),
                           QStringLiteral("select P1_PRIL_E_POPULNENO from DEKLARACIA2 "
                                          "where DEKLARACIA_CODE = ?"),
                           {declarationCode})
               .toInt()
           != 0;
}

void TfmKidEdit::ownChecks()
{
    storage::RowSource &row = qryDataEdit();
    const QVariant kidCode = row.value(QStringLiteral("KID_CODE"));

    // Sections, divisions and groups have shorter codes than the classes.
    const QString kod =
        lookup(*m_kid, QStringLiteral("KID_CODE"), kidCode, QStringLiteral("KOD")).toString();
    if (kod.size() < 5) {
        row.setValue(QStringLiteral("KID_TEKST"), QVariant());
        row.setValue(QStringLiteral("KID_CODE"), QVariant());
        row.setValue(QStringLiteral("KID_KOD"), QVariant());
        throw ValueError(kNotAClass);
    }

    storage::NamedSql duplicates(kDuplicateSql);
    duplicates.setParam(QStringLiteral("DEKLARACIA_CODE"), row.value(QStringLiteral("DEKLARACIA_CODE")));
    duplicates.setParam(QStringLiteral("KID_CODE"), kidCode);
    duplicates.setParam(QStringLiteral("II_KID_CODE"),
                        isNewRow() ? QVariant() : row.value(QStringLiteral("II_KID_CODE")));
    if (duplicates.exec(database()).next())
        throw ValueError(kDuplicate);

    if (constructionClasses().contains(row.value(QStringLiteral("KID_KOD")).toString())
        && !appendix1Filled(row.value(QStringLiteral("DEKLARACIA_CODE")).toInt()))
        dialogs().information(kReminder);
}

QWidget *TfmKidEdit::startControl() const
{
    return m_lcbKod;
}

} // namespace kesp::declaration
