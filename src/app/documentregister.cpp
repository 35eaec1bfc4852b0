#include "documentregister.h"

#include "dialogs.h"
#include "documenteditor.h"
#include "tdmmain.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>

namespace kesp::app {

using storage::FilterCondition;
using storage::ListModel;

namespace {

const QString kOldYearNotice = QStringLiteral(
    "Отваряте за преглед и редактиране декларация за %1-та година!\n\r\n\r"
    "Моля да имате предвид, че от този прозорец не можете да създадете чрез редактиране "
    "валидна декларация за 2010-та година!\n\r\n\r"
    "Ако желаете да създадете нова декларация за 2010-та година на база на съществуваща "
    "декларация за предходна година, използвайте бутона \"Създаване\" долу вляво на основния "
    "прозорец на софтуера. След въвеждане на ЕИК / ЕГН системата ще Ви предложи зареждане на "
    "данните от декларацията за предходна година, ако съществува такава за съответното "
    "задължено лице с този ЕИК / ЕГН.");
const QString kDeleteRefused = QStringLiteral(
    "Невъзможно изтриване на декларацията поради наличие на свързани с нея елементи!");

QSqlDatabase database()
{
    return storage::dmMain() ? storage::dmMain()->database() : QSqlDatabase();
}

QDateEdit *makeDateBox(const QString &name, QWidget *parent)
{
    auto *box = new QDateEdit(parent);
    box->setObjectName(name);
    box->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    box->setCalendarPopup(true);
    // The lowest date stands for an empty box and is shown as nothing.
    box->setMinimumDate(DocumentRegister::emptyDate());
    box->setSpecialValueText(QStringLiteral(" "));
    box->setDate(DocumentRegister::emptyDate());
    return box;
}

QVariant dateBound(const QDateEdit *box, int addDays)
{
    if (box->date() <= DocumentRegister::emptyDate())
        return QVariant();
    return QDateTime(box->date().addDays(addDays), QTime(0, 0)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Restores the grid's painting whatever way the flow ends.
class UpdatesSuspended
{
public:
    explicit UpdatesSuspended(QWidget *w)
        : m_w(w)
    {
        if (m_w)
            m_w->setUpdatesEnabled(false);
    }
    ~UpdatesSuspended()
    {
        if (m_w)
            m_w->setUpdatesEnabled(true);
    }

private:
    QPointer<QWidget> m_w;
};

} // namespace

DocumentRegister::DocumentRegister(QObject *parent)
    : QObject(parent)
    , m_gridData(database())
    , m_oblasti(database())
    , m_gradove(database())
{
    m_gridData.setSql(gridDataSql());
    m_oblasti.setSql(QStringLiteral("select OBLAST_CODE, NAIMENOVANIE from OBLASTI"));
    m_gradove.setSql(QStringLiteral("select GRAD_CODE, NAIMENOVANIE from GRADOVE where OBLAST_CODE = :OBLAST_CODE"));
    buildFilter();
    buildGrid();
}

DocumentRegister::~DocumentRegister() = default;

QString DocumentRegister::gridDataSql()
{
    return QStringLiteral(
        "select d.DEKLARACIA_CODE, d.DEKLARACIA_DATA, d.II_NAIMENOVANIE, d.I_NAIMENOVANIE_UL, "
        "d.I_IMENA_FL, d.I_EIK, d.I_OBLAST_CODE, d.I_OBSHTINA_CODE, d.II_OBSHTINA_CODE, "
        "d.II_OBLAST_CODE, d.I_GRAD_CODE, d.GODINA, d.DOCUMENT_TYPE, d.I_JILISHTEN_KOMPLEKS, "
        "d.I_ULICA, d.I_POSHTENSKI_KOD, d.I_ULICA_NOMER, d.I_BLOK_NO, d.I_TELEFON, "
        "d.UVED_PREDSTAVLIAVASHT, "
        "case when d.I_NAIMENOVANIE_UL is null or d.I_NAIMENOVANIE_UL = '' then d.I_IMENA_FL "
        "else d.I_NAIMENOVANIE_UL end as _LICE, "
        "o.NAIMENOVANIE as _OBLAST, g.NAIMENOVANIE as _GRAD "
        "from DEKLARACIA d "
        "left outer join OBLASTI o on (o.OBLAST_CODE = d.I_OBLAST_CODE) "
        "left outer join GRADOVE g on (g.GRAD_CODE = d.I_GRAD_CODE) "
        // The upper bound is the next day at midnight, itself excluded.
        "where (:DATA_OT is null or :DATA_OT <= d.DEKLARACIA_DATA) "
        "and (:DATA_DO is null or d.DEKLARACIA_DATA < :DATA_DO) "
        "order by d.DEKLARACIA_DATA desc");
}

QList<FilterCondition> DocumentRegister::buildFilter(const Criteria &c)
{
    QList<FilterCondition> out;
    if (c.documentType == 1 || c.documentType == 2)
        out.append({QStringLiteral("DOCUMENT_TYPE"), FilterCondition::Op::Equals, c.documentType});
    if (c.year != 0)
        out.append({QStringLiteral("GODINA"), FilterCondition::Op::Equals, c.year});
    if (!c.name.isEmpty())
        out.append({QStringLiteral("_LICE"), FilterCondition::Op::Contains, c.name});
    if (!c.eik.isEmpty())
        out.append({QStringLiteral("I_EIK"), FilterCondition::Op::StartsWith, c.eik});
    if (!c.oblast.isNull() && c.oblast.isValid())
        out.append({QStringLiteral("I_OBLAST_CODE"), FilterCondition::Op::Equals, c.oblast});
    if (!c.grad.isNull() && c.grad.isValid())
        out.append({QStringLiteral("I_GRAD_CODE"), FilterCondition::Op::Equals, c.grad});
    return out;
}

void DocumentRegister::buildFilter()
{
    m_filterGroup = new QGroupBox(QStringLiteral(" Филтър "));
    m_filterGroup->setObjectName(QStringLiteral("grpFilter"));
    auto *grid = new QGridLayout(m_filterGroup);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);

    auto label = [&](const QString &text, QWidget *buddy, int row, int col, int span = 1) {
        auto *l = new QLabel(text, m_filterGroup);
        l->setBuddy(buddy);
        grid->addWidget(l, row, col, 1, span);
        grid->addWidget(buddy, row + 1, col, 1, span);
    };

    cbDocumentType = new QComboBox(m_filterGroup);
    cbDocumentType->setObjectName(QStringLiteral("cbDocumentType"));
    cbDocumentType->addItems({QStringLiteral("Декларации и уведомления"),
                              QStringLiteral("Само декларации"),
                              QStringLiteral("Само уведомления")});
    cbGodina = new QComboBox(m_filterGroup);
    cbGodina->setObjectName(QStringLiteral("cbGodina"));
    cbGodina->addItems({QStringLiteral("< всички >"), QStringLiteral("2009"), QStringLiteral("2010")});
    edtIme = new QLineEdit(m_filterGroup);
    edtIme->setObjectName(QStringLiteral("edtIme"));
    edtEIK = new QLineEdit(m_filterGroup);
    edtEIK->setObjectName(QStringLiteral("edtEIK"));
    edtEIK->setMaxLength(13);
    edtEIK->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtEIK));
    lcbOblast = new QComboBox(m_filterGroup);
    lcbOblast->setObjectName(QStringLiteral("lcbOblast"));
    lcbGrad = new QComboBox(m_filterGroup);
    lcbGrad->setObjectName(QStringLiteral("lcbGrad"));
    edtDataOt = makeDateBox(QStringLiteral("edtDataOt"), m_filterGroup);
    edtDataDo = makeDateBox(QStringLiteral("edtDataDo"), m_filterGroup);

    btnMyApplyFilter = new QPushButton(QStringLiteral("Търсене"), m_filterGroup);
    btnMyApplyFilter->setObjectName(QStringLiteral("btnMyApplyFilter"));
    btnMyApplyFilter->setToolTip(QStringLiteral(
        "Търсене на декларации/уведомления, отговарящи на въведените критерии за филтриране..."));
    btnMyApplyFilter->setDefault(true);
    btnMyClear = new QPushButton(QStringLiteral("Изчистване"), m_filterGroup);
    btnMyClear->setObjectName(QStringLiteral("btnMyClear"));
    btnMyClear->setToolTip(QStringLiteral("Изчистване на филтъра..."));
    btnMyClear->setFocusPolicy(Qt::ClickFocus); // skipped by Tab

    label(QStringLiteral("Тип"), cbDocumentType, 0, 0);
    label(QStringLiteral("Година"), cbGodina, 0, 1);
    label(QStringLiteral("Юридическо / Физическо лице"), edtIme, 0, 2, 2);
    label(QStringLiteral("ЕИК / ЕГН"), edtEIK, 0, 4);
    label(QStringLiteral("Област"), lcbOblast, 2, 0);
    label(QStringLiteral("Град / Село"), lcbGrad, 2, 1);
    label(QStringLiteral("От дата"), edtDataOt, 2, 2);
    label(QStringLiteral("До дата"), edtDataDo, 2, 3);
    grid->addWidget(btnMyApplyFilter, 1, 5);
    grid->addWidget(btnMyClear, 3, 5);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(0, 170);
    grid->setColumnMinimumWidth(1, 150);
    grid->setColumnMinimumWidth(4, 110);

    connect(btnMyApplyFilter, &QPushButton::clicked, this, &DocumentRegister::btnMyApplyFilterClick);
    connect(btnMyClear, &QPushButton::clicked, this, &DocumentRegister::btnMyClearClick);
    connect(lcbOblast, &QComboBox::currentIndexChanged, this, &DocumentRegister::lcbOblastChange);
    connect(cbDocumentType, &QComboBox::currentIndexChanged, this, &DocumentRegister::updateCommands);
    // Enter anywhere in the filter searches, as the window's default button.
    for (QLineEdit *e : {edtIme, edtEIK})
        connect(e, &QLineEdit::returnPressed, this, &DocumentRegister::btnMyApplyFilterClick);
    for (QWidget *w : {static_cast<QWidget *>(cbDocumentType), static_cast<QWidget *>(cbGodina),
                       static_cast<QWidget *>(lcbOblast), static_cast<QWidget *>(lcbGrad),
                       static_cast<QWidget *>(edtDataOt), static_cast<QWidget *>(edtDataDo)})
        w->installEventFilter(this);
}

void DocumentRegister::buildGrid()
{
    m_grid = new QTableView;
    m_grid->setObjectName(QStringLiteral("grdData"));
    m_grid->setModel(&m_gridData);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSortingEnabled(false);
    m_grid->setAlternatingRowColors(true);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->setFixedWidth(12); // the indicator column
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    const auto centred = Qt::AlignCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    m_gridData.setColumns({
        {QStringLiteral("GODINA"), QStringLiteral("Година"), centred, {}},
        {QStringLiteral("DOCUMENT_TYPE"), QStringLiteral("Тип"), centred,
         [](const QVariant &v) {
             if (v.isNull())
                 return QString();
             switch (v.toInt()) {
             case 1:
                 return QStringLiteral("Декларация");
             case 2:
                 return QStringLiteral("Уведомление");
             default:
                 return QString();
             }
         }},
        {QStringLiteral("_LICE"), QStringLiteral("Юридическо / Физическо лице"), left, {}},
        {QStringLiteral("I_EIK"), QStringLiteral("ЕИК / ЕГН"), centred, {}},
        {QStringLiteral("_OBLAST"), QStringLiteral("Област"), left, {}},
        {QStringLiteral("_GRAD"), QStringLiteral("Град / Село"), left, {}},
        {QStringLiteral("DEKLARACIA_DATA"), QStringLiteral("Последна редакция"), centred,
         [](const QVariant &v) {
             const QDateTime t = QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
             return t.isValid() ? t.toString(QStringLiteral("dd.MM.yyyy г.")) : QString();
         }},
    });
    const int widths[] = {53, 76, 217, 87, 118, 121, 121};
    for (int i = 0; i < 7; ++i)
        m_grid->setColumnWidth(i, widths[i]);
    // The kind must read whole in this platform's font; the name column gives way.
    const int kindWidth = m_grid->fontMetrics().horizontalAdvance(QStringLiteral("Уведомление")) + 12;
    if (kindWidth > widths[1]) {
        m_grid->setColumnWidth(1, kindWidth);
        m_grid->setColumnWidth(2, widths[2] - (kindWidth - widths[1]));
    }

    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &DocumentRegister::headerClicked);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DocumentRegister::currentChanged);
    m_grid->viewport()->installEventFilter(this);
}

bool DocumentRegister::eventFilter(QObject *watched, QEvent *event)
{
    if (m_grid && watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        gridDoubleClicked(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    }
    if (event->type() == QEvent::KeyPress && (!m_grid || watched != m_grid->viewport())) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnMyApplyFilterClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DocumentRegister::fillOblasti()
{
    const QSignalBlocker block(lcbOblast);
    lcbOblast->clear();
    lcbOblast->addItem(QString(), QVariant());
    m_oblasti.sortByField(QStringLiteral("NAIMENOVANIE"), Qt::AscendingOrder);
    for (int r = 0; r < m_oblasti.rowCount(); ++r)
        lcbOblast->addItem(m_oblasti.value(r, QStringLiteral("NAIMENOVANIE")).toString(),
                           m_oblasti.value(r, QStringLiteral("OBLAST_CODE")));
}

void DocumentRegister::lcbOblastChange()
{
    // Another province: the settlement choice goes and the list follows the province.
    lcbGrad->setUpdatesEnabled(false);
    lcbGrad->clear();
    const QVariant oblast = lcbOblast->currentData();
    if (!oblast.isNull() && m_gradove.isOpen()) {
        m_gradove.setParam(QStringLiteral("OBLAST_CODE"), oblast);
        m_gradove.open();
        m_gradove.sortByField(QStringLiteral("NAIMENOVANIE"), Qt::AscendingOrder);
        lcbGrad->addItem(QString(), QVariant());
        for (int r = 0; r < m_gradove.rowCount(); ++r)
            lcbGrad->addItem(m_gradove.value(r, QStringLiteral("NAIMENOVANIE")).toString(),
                             m_gradove.value(r, QStringLiteral("GRAD_CODE")));
    }
    lcbGrad->setCurrentIndex(-1);
    lcbGrad->setUpdatesEnabled(true);
}

void DocumentRegister::openLists()
{
    const QSqlDatabase db = database();
    m_gridData.setDatabase(db);
    m_oblasti.setDatabase(db);
    m_gradove.setDatabase(db);
    openGridData();
    m_oblasti.open();
    fillOblasti();
    m_gradove.setParam(QStringLiteral("OBLAST_CODE"), lcbOblast->currentData());
    m_gradove.open();
}

void DocumentRegister::closeLists()
{
    m_gridData.close();
    m_gradove.close();
    m_oblasti.close();
}

void DocumentRegister::openGridData()
{
    m_gridData.setParam(QStringLiteral("DATA_OT"), dateBound(edtDataOt, 0));
    m_gridData.setParam(QStringLiteral("DATA_DO"), dateBound(edtDataDo, 1));
    // Every opening returns to the statement's order; the filter stays.
    m_gridData.sortByField(QString(), Qt::AscendingOrder);
    if (m_grid)
        m_grid->horizontalHeader()->setSortIndicatorShown(false);
    m_gridData.open();
    if (m_grid && m_gridData.rowCount() > 0)
        m_grid->selectRow(0);
    updateCommands();
    currentChanged();
}

void DocumentRegister::updateCommands()
{
    emit commandsEnabled(m_gridData.isOpen() && m_gridData.rowCount() > 0);
}

int DocumentRegister::currentRow() const
{
    const QModelIndex i = m_grid ? m_grid->selectionModel()->currentIndex() : QModelIndex();
    if (i.isValid())
        return i.row();
    return m_gridData.rowCount() > 0 ? 0 : -1;
}

QVariant DocumentRegister::currentValue(const QString &field) const
{
    return m_gridData.value(currentRow(), field);
}

bool DocumentRegister::selectCode(int code)
{
    const int row = m_gridData.rowOfValue(QStringLiteral("DEKLARACIA_CODE"), code);
    if (row < 0 || !m_grid)
        return false;
    m_grid->selectRow(row);
    return true;
}

void DocumentRegister::currentChanged()
{
    const QVariant type = currentValue(QStringLiteral("DOCUMENT_TYPE"));
    if (!type.isNull())
        emit currentDocumentTypeChanged(type.toInt());
}

void DocumentRegister::headerClicked(int section)
{
    if (!m_gridData.isOpen() || section < 0 || section >= m_gridData.columns().size())
        return;
    const QString field = m_gridData.columns().at(section).field;
    const Qt::SortOrder order = m_gridData.sortField() != field || m_gridData.sortOrder() == Qt::DescendingOrder
                                    ? Qt::AscendingOrder
                                    : Qt::DescendingOrder;
    const QVariant selected = currentValue(QStringLiteral("DEKLARACIA_CODE"));
    m_gridData.sortByField(field, order);
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    m_grid->horizontalHeader()->setSortIndicator(section, order);
    if (!selected.isNull())
        selectCode(selected.toInt());
}

void DocumentRegister::btnMyApplyFilterClick()
{
    Criteria c;
    c.documentType = cbDocumentType->currentIndex();
    c.year = cbGodina->currentIndex() > 0 ? cbGodina->currentText().toInt() : 0;
    c.name = edtIme->text();
    c.eik = edtEIK->text();
    c.oblast = lcbOblast->currentData();
    c.grad = lcbGrad->currentData();
    m_gridData.setFilter(buildFilter(c));
    openGridData();
}

void DocumentRegister::btnMyClearClick()
{
    cbDocumentType->setCurrentIndex(0);
    cbGodina->setCurrentIndex(0);
    edtIme->clear();
    edtEIK->clear();
    edtDataOt->setDate(emptyDate());
    edtDataDo->setDate(emptyDate());
    lcbOblast->setCurrentIndex(0);
    lcbGrad->setCurrentIndex(-1);
}

void DocumentRegister::gridDoubleClicked(const QPoint &)
{
    if (m_gridData.rowCount() == 0)
        createDocument();
    else
        openDocument();
}

void DocumentRegister::createDocument()
{
    if (!selectDocument)
        return;
    const int kind = selectDocument();
    DocumentEditor *editor = kind == 1 ? declarations : (kind == 2 ? notifications : nullptr);
    if (!editor)
        return;
    editor->setPlaces(-1, -1, -1, -1);
    const QVariant remembered = currentValue(QStringLiteral("DEKLARACIA_CODE"));
    UpdatesSuspended suspended(m_grid);
    int code = -1;
    try {
        code = editor->AddItem();
        if (code != -1) {
            openGridData();
            selectCode(code);
        }
    } catch (...) {
        if (!remembered.isNull())
            selectCode(remembered.toInt());
        throw;
    }
    if (code == -1 && !remembered.isNull())
        selectCode(remembered.toInt());
}

void DocumentRegister::openDocument()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const int type = m_gridData.value(row, QStringLiteral("DOCUMENT_TYPE")).toInt();
    const QVariant year = m_gridData.value(row, QStringLiteral("GODINA"));
    if (type == 1 && year.toInt() != 2010)
        dialogs().message(Dialogs::Icon::Information, kOldYearNotice.arg(year.toString()), Dialogs::Ok);

    auto place = [&](const char *field) { return m_gridData.value(row, QLatin1String(field)).toInt(); };
    DocumentEditor *editor = type == 2 ? notifications : declarations;
    if (!editor)
        return;
    if (type == 2)
        editor->setPlaces(place("I_OBLAST_CODE"), -1, place("I_OBSHTINA_CODE"), -1);
    else
        editor->setPlaces(place("I_OBLAST_CODE"), place("II_OBLAST_CODE"),
                          place("I_OBSHTINA_CODE"), place("II_OBSHTINA_CODE"));
    const int code = m_gridData.value(row, QStringLiteral("DEKLARACIA_CODE")).toInt();
    UpdatesSuspended suspended(m_grid);
    if (editor->EditItem(code)) {
        openGridData();
        selectCode(code);
    }
}

void DocumentRegister::deleteDocument()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const int type = m_gridData.value(row, QStringLiteral("DOCUMENT_TYPE")).toInt();
    const int code = m_gridData.value(row, QStringLiteral("DEKLARACIA_CODE")).toInt();
    DocumentEditor *editor = type == 2 ? notifications : declarations;
    UpdatesSuspended suspended(m_grid);
    if (editor) {
        try {
            editor->DeleteItem(code);
        } catch (const std::exception &) {
            dialogs().message(Dialogs::Icon::Error, kDeleteRefused, Dialogs::Ok);
        }
    }
    // Re-read either way and start from the first row.
    openGridData();
}

} // namespace kesp::app
