#include "fmpodrazdelenia.h"

#include "errors.h"
#include "listmodel.h"
#include "registercombo.h"
#include "rowsource.h"

#include <QGridLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace kesp::declaration {

namespace {

TfmPodrazdelenia *g_form = nullptr;

const QString kNone = QStringLiteral("< не е указан >");
const QString kAddCaption = QStringLiteral("Добавяне на поделение");
const QString kEditCaption = QStringLiteral("Редактиране на поделение");
const QString kNegative = QStringLiteral("Броя наети работни лица не може да бъде по- малък от 0!");
const QString kNotAClass = QStringLiteral(
    "За полето \"Дейност по КИД 2008\" трябва да изберете елемент, който е с 4-цифрен код!");
const QString kRegionLabel = QStringLiteral("Област");

} // namespace

TfmPodrazdelenia *fmPodrazdelenia()
{
    return g_form;
}

TfmPodrazdelenia::TfmPodrazdelenia(QWidget *parent)
    : DetailRowDialog(QStringLiteral("II_PODRAZDELENIEA"),
                {{QStringLiteral("NAIMENOVANIE"), QStringLiteral("Наименование на поделението")},
                 {QStringLiteral("BROI_NAETI_LICA"), QStringLiteral("Брой наети лица")},
                 {QStringLiteral("OBLAST_CODE"), kRegionLabel},
                 {QStringLiteral("ADRES"), QStringLiteral("Адрес")},
                 {QStringLiteral("KID_CODE"), QStringLiteral("Дейност по КИД")},
                 {QStringLiteral("RAKOVODITEL"), QStringLiteral("Ръководител")}},
                parent)
    , m_oblasti(new storage::ListModel(QSqlDatabase(), this))
    , m_kid(new storage::ListModel(QSqlDatabase(), this))
    , m_edtNaimenovanie(new QLineEdit(this))
    , m_edtBroiNaetiLica(new QLineEdit(this))
    , m_lcbOblast(new RegisterCombo(this))
    , m_edtAdres(new QLineEdit(this))
    , m_lcbKidKod(new RegisterCombo(this))
    , m_lcbKidNaimenovanie(new RegisterCombo(this))
    , m_edtRakovoditel(new QLineEdit(this))
{
    setObjectName(QStringLiteral("fmPodrazdelenia"));
    m_oblasti->setSql(QStringLiteral("select * from OBLASTI"));
    m_oblasti->sortByField(QStringLiteral("NAIMENOVANIE"), Qt::AscendingOrder);
    m_kid->setSql(QStringLiteral("select * from KID"));

    m_edtNaimenovanie->setObjectName(QStringLiteral("edtNaimenovanie"));
    m_edtBroiNaetiLica->setObjectName(QStringLiteral("edtBroiNaetiLica"));
    m_lcbOblast->setObjectName(QStringLiteral("lcbOblast"));
    m_edtAdres->setObjectName(QStringLiteral("edtAdres"));
    m_lcbKidKod->setObjectName(QStringLiteral("lcbKidKod"));
    m_lcbKidNaimenovanie->setObjectName(QStringLiteral("lcbKidNaimenovanie"));
    m_edtRakovoditel->setObjectName(QStringLiteral("edtRakovoditel"));

    m_lcbOblast->setRegister(m_oblasti, QStringLiteral("OBLAST_CODE"), QStringLiteral("NAIMENOVANIE"));
    m_lcbOblast->setMinimumContentsLength(24);
    for (RegisterCombo *c : {m_lcbKidKod, m_lcbKidNaimenovanie}) {
        c->setNoneText(kNone);
        c->setRegister(m_kid,
                       QStringLiteral("KID_CODE"),
                       c == m_lcbKidKod ? QStringLiteral("KOD") : QStringLiteral("NAIMENOVANIE"));
    }
    m_lcbKidKod->setMinimumContentsLength(14);
    m_lcbKidNaimenovanie->setMinimumContentsLength(48);
    m_lcbKidNaimenovanie->setMaxVisibleItems(15);
    m_edtBroiNaetiLica->setMaximumWidth(120);

    QGridLayout *g = body();
    g->addWidget(addLabel(QStringLiteral("Наименование на поделението *"), m_edtNaimenovanie), 0, 0);
    g->addWidget(m_edtNaimenovanie, 0, 1, 1, 2);
    g->addWidget(addInfoButton(38), 0, 3, Qt::AlignTop);
    g->addWidget(addLabel(QStringLiteral("Брой наети лица *"), m_edtBroiNaetiLica), 1, 0);
    g->addWidget(m_edtBroiNaetiLica, 1, 1);
    g->addWidget(addLabel(QStringLiteral("Област *"), m_lcbOblast), 2, 0);
    g->addWidget(m_lcbOblast, 2, 1, 1, 2, Qt::AlignLeft);
    g->addWidget(addLabel(QStringLiteral("Адрес *"), m_edtAdres), 3, 0);
    g->addWidget(m_edtAdres, 3, 1, 1, 2);
    g->addWidget(addLabel(QStringLiteral("Дейност по КИД 2008 *"), m_lcbKidKod), 4, 0);
    g->addWidget(m_lcbKidKod, 4, 1);
    g->addWidget(m_lcbKidNaimenovanie, 4, 2);
    g->addWidget(addLabel(QStringLiteral("Ръководител (имена, тел., E-mail) *"), m_edtRakovoditel),
                 5, 0, 1, 3);
    g->addWidget(m_edtRakovoditel, 6, 0, 1, 3);

    bindText(m_edtNaimenovanie, QStringLiteral("NAIMENOVANIE"));
    bindCount(m_edtBroiNaetiLica, QStringLiteral("BROI_NAETI_LICA"));
    bindLookup(m_lcbOblast, QStringLiteral("OBLAST_CODE"));
    bindText(m_edtAdres, QStringLiteral("ADRES"));
    bindLookup(m_lcbKidKod, QStringLiteral("KID_CODE"));
    bindLookup(m_lcbKidNaimenovanie, QStringLiteral("KID_CODE"));
    bindText(m_edtRakovoditel, QStringLiteral("RAKOVODITEL"));

    QWidget::setTabOrder(m_edtNaimenovanie, m_edtBroiNaetiLica);
    QWidget::setTabOrder(m_edtBroiNaetiLica, m_lcbOblast);
    QWidget::setTabOrder(m_lcbOblast, m_edtAdres);
    QWidget::setTabOrder(m_edtAdres, m_lcbKidKod);
    QWidget::setTabOrder(m_lcbKidKod, m_lcbKidNaimenovanie);
    QWidget::setTabOrder(m_lcbKidNaimenovanie, m_edtRakovoditel);
    QWidget::setTabOrder(m_edtRakovoditel, btnOK());
    QWidget::setTabOrder(btnOK(), btnCancel());

    g_form = this;
}

TfmPodrazdelenia::~TfmPodrazdelenia()
{
    if (g_form == this)
        g_form = nullptr;
}

QString TfmPodrazdelenia::addCaption() const
{
    return kAddCaption;
}

QString TfmPodrazdelenia::editCaption() const
{
    return kEditCaption;
}

void TfmPodrazdelenia::beforeOpen()
{
    // The regions are read afresh for every call; the activities stay read.
    m_oblasti->setDatabase(database());
    m_oblasti->open();
    m_lcbOblast->reload();
    if (ensureOpen(*m_kid)) {
        m_lcbKidKod->reload();
        m_lcbKidNaimenovanie->reload();
    }
}

void TfmPodrazdelenia::afterCall()
{
    m_oblasti->close();
    m_lcbOblast->reload();
}

void TfmPodrazdelenia::columnChanged(const QString &column, const QVariant &value)
{
    if (column != QLatin1String("KID_CODE"))
        return;
    qryDataEdit().setValue(QStringLiteral("DEINOST_KID"),
                           lookup(*m_kid, QStringLiteral("KID_CODE"), value, QStringLiteral("KOD")));
}

void TfmPodrazdelenia::ownChecks()
{
    storage::RowSource &row = qryDataEdit();
    // The region must also be one the register knows, as the list shows its name.
    if (lookup(*m_oblasti,
               QStringLiteral("OBLAST_CODE"),
               row.value(QStringLiteral("OBLAST_CODE")),
               QStringLiteral("NAIMENOVANIE"))
            .toString()
            .isEmpty())
        throw ValueError(QStringLiteral("Полето '%1' трябва да има стойност!").arg(kRegionLabel));

    if (row.value(QStringLiteral("BROI_NAETI_LICA")).toLongLong() < 0)
        throw ValueError(kNegative);

    const QString kod = lookup(*m_kid,
                               QStringLiteral("KID_CODE"),
                               row.value(QStringLiteral("KID_CODE")),
                               QStringLiteral("KOD"))
                            .toString();
    if (kod.size() < 5) {
        row.setValue(QStringLiteral("KID_CODE"), QVariant());
        row.setValue(QStringLiteral("DEINOST_KID"), QVariant());
        throw ValueError(kNotAClass);
    }
}

QWidget *TfmPodrazdelenia::startControl() const
{
    return m_edtNaimenovanie;
}

} // namespace kesp::declaration
