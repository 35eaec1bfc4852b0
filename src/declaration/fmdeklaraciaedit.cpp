#include "fmdeklaraciaedit.h"

#include "columncatalogue.h"
#include "database.h"
#include "datasetroutines.h"
#include "dialogs.h"
#include "editortexts.h"
#include "errors.h"
#include "fmgreshki.h"
#include "listmodel.h"
#include "pagesectioni.h"
#include "pagesectionii.h"
#include "rowsource.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kesp::declaration {

using storage::RowSource;

namespace {

TfmDeklaraciaEdit *g_fmDeklaraciaEdit = nullptr;

constexpr int kClientWidth = 920;
constexpr int kClientHeight = 698;
constexpr int kNewYear = 2010;
const QColor kStripBackground(255, 255, 210);
const QString kCode = QStringLiteral("DEKLARACIA_CODE");

// Narrower tab padding, so that the nine captions fit the window's width.
class CompactTabs : public QProxyStyle
{
public:
    // A copy of the program's own style underneath, so the tabs look like the rest.
    CompactTabs()
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
    }
    int pixelMetric(PixelMetric metric,
                    const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return QProxyStyle::pixelMetric(metric, option, widget) / 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The six lists: name, table's key column, statement.
struct ListDef
{
    const char *name;
    const char *key;
    const char *sql;
};
const ListDef kLists[] = {
    {"qryUpravliavashti",
     "I_UPRAVLIAVASHT_CODE",
     "select * from I_UPRAVLIAVASHTI where DEKLARACIA_CODE = :DEKLARACIA_CODE"},
    {"qryKID", "II_KID_CODE", "select * from II_KID where DEKLARACIA_CODE = :DEKLARACIA_CODE"},
    {"qryPodrazdelenia",
     "II_PODRAZDELENIE_CODE",
     "select p.*, o.NAIMENOVANIE as _OBLAST_NAIMENOVANIE from II_PODRAZDELENIEA p left outer "
     "join OBLASTI o on (o.OBLAST_CODE = p.OBLAST_CODE) where DEKLARACIA_CODE = "
     ":DEKLARACIA_CODE"},
    {"qryPochivki",
     "POCHIVKA_CODE",
     "select * from IV_POCHIVKI where DEKLARACIA_CODE = :DEKLARACIA_CODE"},
    {"qryHimAg", "P1_CAS_CODE", "select * from P2_4_CAS where DEKLARACIA_CODE = :DEKLARACIA_CODE"},
    {"qryMuta", "P1_CAS_CODE", "select * from P2_11_CAS where DEKLARACIA_CODE = :DEKLARACIA_CODE"},
};

// The nine groups of persons employed, each with total, men and women.
const char *const kPersonnelGroups[] = {
    "II_NAETI_",
    "II_NAETI_SROCHNO_",
    "II_NAETI_TNR_",
    "II_NAETI_NAD55_",
    "II_NAETI_POD25_",
    "II_NAETI_ES_",
    "II_NAETI_EIP_",
    "II_NAETI_DR_DARJ_",
    "II_NAETI_DR_LICE_",
};

// Address texts whose surrounding quotes are dropped before every save.
const char *const kQuotedColumns[] = {
    "I_JILISHTEN_KOMPLEKS", "I_ULICA", "II_JILISHTEN_KOMPLEKS", "II_ULICA"};

bool editing(const RowSource *rows)
{
    return rows &&
           (rows->state() == RowSource::State::Edit || rows->state() == RowSource::State::Insert);
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

QString blankToEmpty(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

QVariantMap rowValues(const RowSource *rows)
{
    QVariantMap out;
    if (!rows->isOpen())
        return out;
    for (const QString &f : rows->fieldNames())
        out.insert(f.toUpper(), rows->value(f));
    return out;
}

// Leading and trailing apostrophes and double quotes, in any mix, go.
QString StripQuotes(const QString &text)
{
    auto isQuote = [](QChar c) { return c == QLatin1Char('\'') || c == QLatin1Char('"'); };
    qsizetype from = 0, to = text.size();
    while (from < to && isQuote(text.at(from)))
        ++from;
    while (to > from && isQuote(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

// Controls a wheel message is left to: they scroll their own content.
bool scrollsItself(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        if (qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QTextEdit *>(w) ||
            qobject_cast<const QPlainTextEdit *>(w))
            return true;
        if (w->isWindow())
            break;
    }
    return false;
}

// Widgets EnableGroup walks into: plain containers, not the insides of a control.
QWidget *groupInside(QWidget *w)
{
    if (auto *area = qobject_cast<QScrollArea *>(w))
        return area->widget();
    if (qobject_cast<QAbstractScrollArea *>(w) || qobject_cast<QAbstractButton *>(w) ||
        w->inherits("QComboBox") || w->inherits("QLineEdit") || w->inherits("QAbstractSpinBox"))
        return nullptr;
    return w;
}

} // namespace

TfmDeklaraciaEdit *fmDeklaraciaEdit()
{
    return g_fmDeklaraciaEdit;
}

const QSet<QString> &TfmDeklaraciaEdit::countedColumns()
{
    static const QSet<QString> columns = [] {
        const QSet<QString> excluded{kCode,
                                     QStringLiteral("DOCUMENT_TYPE"),
                                     QStringLiteral("IS_CHUJDENEC"),
                                     QStringLiteral("UVED_PREDSTAVLIAVASHT"),
                                     QStringLiteral("UVED_IZH_NOMER")};
        QSet<QString> out;
        for (const char *table : {"DEKLARACIA", "DEKLARACIA2"})
            for (const QString &c : storage::ColumnCatalogue::columnNames(QLatin1String(table)))
                if (!excluded.contains(c.toUpper()))
                    out.insert(c.toUpper());
        return out;
    }();
    return columns;
}

// ---------------------------------------------------------------------------------------

TfmDeklaraciaEdit::UserAction::UserAction(TfmDeklaraciaEdit &editor)
    : m_editor(editor)
{
    m_editor.beginAction();
}

TfmDeklaraciaEdit::UserAction::~UserAction()
{
    m_editor.endAction();
}

TfmDeklaraciaEdit::TfmDeklaraciaEdit(QWidget *parent)
    : QDialog(parent)
    , m_bindings(std::make_unique<BindingSet>())
{
    const QSqlDatabase db = storage::dmMain() ? storage::dmMain()->database() : QSqlDatabase();
    m_qryDataEdit = new RowSource(db, QStringLiteral("DEKLARACIA"), this);
    m_qryDataEdit->setObjectName(QStringLiteral("qryDataEdit"));
    m_qryDataEdit->setSql(
        QStringLiteral("select * from DEKLARACIA where DEKLARACIA_CODE = :PK_CODE"));
    m_qryDataEdit2 = new RowSource(db, QStringLiteral("DEKLARACIA2"), this);
    m_qryDataEdit2->setObjectName(QStringLiteral("qryDataEdit2"));
    m_qryDataEdit2->setSql(
        QStringLiteral("select * from DEKLARACIA2 where DEKLARACIA_CODE = :PK_CODE"));
    m_qryMaxCode = new RowSource(db, QStringLiteral("DEKLARACIA"), this);
    m_qryMaxCode->setObjectName(QStringLiteral("qryMaxCode"));
    m_qryMaxCode->setSql(QStringLiteral("select max(DEKLARACIA_CODE) as MAX_CODE from DEKLARACIA"));

    setObjectName(QStringLiteral("fmDeklaraciaEdit"));
    m_bindings->setActionRunner([this](const std::function<void()> &a) { runUserAction(a); });
    connect(m_bindings.get(), &BindingSet::shownNameAssigned, this, [this] {
        // The shown name of a look-up is a column of its own for the change count.
        if (m_shown && !suppressChangeCount && !m_restoring)
            CountFieldChange();
    });

    buildLists();
    buildWindow();
    connectRows();
    connectRules();
    connect(qApp, &QApplication::focusChanged, this, &TfmDeklaraciaEdit::focusChanged);
    for (int i = 0; i < PageCount; ++i)
        m_focusControls[i] = texts::kPages[i].focusControl;
    buildSectionIPage(*this);
    buildSectionIIPage(*this);

    g_fmDeklaraciaEdit = this;
}

TfmDeklaraciaEdit::~TfmDeklaraciaEdit()
{
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    if (g_fmDeklaraciaEdit == this)
        g_fmDeklaraciaEdit = nullptr;
    m_currentField = nullptr;
    // The controls outlive this object's members while QWidget deletes them: nothing of
    // theirs may call back.
    disconnect(m_pages, nullptr, this, nullptr);
    for (const auto &fc : m_fieldControls)
        if (fc->widget)
            disconnect(fc->widget, nullptr, this, nullptr);
    // Bindings go before the controls they watch.
    m_bindings.reset();
}

void TfmDeklaraciaEdit::buildLists()
{
    const QSqlDatabase db = m_qryDataEdit->database();
    for (const ListDef &d : kLists) {
        auto *list = new DetailList(
            QLatin1String(d.name), QLatin1String(d.key), QLatin1String(d.sql), db, this);
        m_lists.push_back(list);
        connect(list->model(), &QAbstractItemModel::modelReset, this, [this, list] {
            afterListOpened(list);
        });
    }
}

void TfmDeklaraciaEdit::buildWindow()
{
    setWindowTitle(texts::kCaption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcRazdeli"));
    auto *tabStyle = new CompactTabs;
    tabStyle->setParent(m_pages);
    m_pages->tabBar()->setStyle(tabStyle);
    for (int i = 0; i < PageCount; ++i) {
        const texts::PageText &p = texts::kPages[i];
        auto *tab = new QWidget;
        tab->setObjectName(p.page);
        auto *tabLayout = new QVBoxLayout(tab);
        tabLayout->setContentsMargins(0, 0, 0, 0);
        auto *area = new QScrollArea(tab);
        area->setObjectName(p.scrollArea);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto *content = new QWidget;
        content->setObjectName(p.scrollArea + QStringLiteral("Content"));
        auto *contentLayout = new QVBoxLayout(content);
        contentLayout->setContentsMargins(8, 8, 8, 8);
        contentLayout->setSpacing(6);
        contentLayout->addStretch(1);
        area->setWidget(content);
        tabLayout->addWidget(area);
        m_pages->addTab(tab, p.caption);
        m_areas[i] = area;
    }
    connect(m_pages, &QTabWidget::currentChanged, this, &TfmDeklaraciaEdit::showPage);
    layout->addWidget(m_pages, 1);

    // The information strip: the rules of the focused field.
    auto *strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("pnlValidacii"));
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setFixedHeight(78);
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(6, 4, 4, 4);
    m_stripLabel = new QLabel(texts::kStripLines.join(QLatin1Char('\n')), strip);
    m_stripLabel->setObjectName(QStringLiteral("lblValidacii"));
    m_stripLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    stripLayout->addWidget(m_stripLabel);
    m_reValidacii = new QTextEdit(strip);
    m_reValidacii->setObjectName(QStringLiteral("reValidacii"));
    // Read-only rather than disabled, so the texts stay readable and can be copied.
    m_reValidacii->setReadOnly(true);
    m_reValidacii->setFocusPolicy(Qt::ClickFocus);
    QPalette pal = m_reValidacii->palette();
    pal.setColor(QPalette::Base, kStripBackground);
    m_reValidacii->setPalette(pal);
    stripLayout->addWidget(m_reValidacii, 1);
    layout->addWidget(strip);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    auto makeButton = [this](const char *name, const QString &text, const QString &hint) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setMinimumWidth(90);
        return b;
    };
    m_btnValidate = makeButton("btnValidate", texts::kValidate, texts::kValidateHint);
    m_btnSave = makeButton("btnSave", texts::kSave, texts::kSaveHint);
    m_btnOK = makeButton("btnOK", texts::kOK, texts::kOKHint);
    m_btnCancel = makeButton("btnCancel", texts::kCancel, texts::kCancelHint);
    m_btnValidate->setAutoDefault(false);
    m_btnOK->setAutoDefault(false);
    m_btnCancel->setAutoDefault(false);
    // Enter anywhere presses "Запис".
    m_btnSave->setAutoDefault(true);
    m_btnSave->setDefault(true);

    m_imgSaveStat = new QLabel(this);
    m_imgSaveStat->setObjectName(QStringLiteral("imgSaveStat"));
    m_imgSaveStat->setPixmap(style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(20, 20));
    m_imgSaveStat->setFixedSize(22, 22);
    m_imgSaveStat->hide();
    m_JvLabel1 = new QLabel(this);
    m_JvLabel1->setObjectName(QStringLiteral("JvLabel1"));
    QFont bold = m_JvLabel1->font();
    bold.setBold(true);
    m_JvLabel1->setFont(bold);
    m_JvLabel1->hide();

    bottom->addWidget(m_btnValidate);
    bottom->addSpacing(12);
    bottom->addWidget(m_imgSaveStat);
    bottom->addWidget(m_JvLabel1);
    bottom->addStretch(1);
    bottom->addWidget(m_btnSave);
    bottom->addWidget(m_btnOK);
    bottom->addWidget(m_btnCancel);
    layout->addLayout(bottom);

    connect(m_btnValidate, &QPushButton::clicked, this, &TfmDeklaraciaEdit::btnValidateClick);
    connect(m_btnSave, &QPushButton::clicked, this, &TfmDeklaraciaEdit::btnSaveClick);
    connect(m_btnOK, &QPushButton::clicked, this, &TfmDeklaraciaEdit::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmDeklaraciaEdit::btnCancelClick);
    m_btnCancel->installEventFilter(this);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer3 = new QTimer(this);
    m_timer3->setObjectName(QStringLiteral("Timer3"));
    m_timer3->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &TfmDeklaraciaEdit::Timer1Timer);
    connect(m_timer2, &QTimer::timeout, this, &TfmDeklaraciaEdit::Timer2Timer);
    connect(m_timer3, &QTimer::timeout, this, &TfmDeklaraciaEdit::Timer3Timer);
}

void TfmDeklaraciaEdit::connectRows()
{
    for (RowSource *rows : {m_qryDataEdit, m_qryDataEdit2}) {
        connect(rows, &RowSource::valueAboutToChange, this, [this](const QString &column) {
            if (!m_shown || suppressChangeCount || m_restoring)
                return;
            if (!m_snapshotTaken)
                takeSnapshot();
            UpdChangedFieldsCountOnChange(column);
        });
        connect(rows,
                &RowSource::valueChanged,
                this,
                [this](const QString &column, const QVariant &oldValue, const QVariant &newValue) {
                    if (m_restoring)
                        return;
                    const auto it = m_columnReactions.constFind(column.toUpper());
                    if (it == m_columnReactions.constEnd())
                        return;
                    // Copied: a reaction may register others.
                    const auto reactions = *it;
                    for (const auto &reaction : reactions)
                        reaction(oldValue, newValue);
                });
        connect(rows, &RowSource::opened, this, [this, rows] {
            const auto steps = m_loadSteps.value(rows);
            for (const auto &step : steps)
                step();
        });
    }
    connect(m_qryDataEdit, &RowSource::stateChanged, this, [this](RowSource::State s) {
        if (s == RowSource::State::Edit && !m_restoring)
            editStep();
    });
    connect(m_qryDataEdit, &RowSource::aboutToPost, this, &TfmDeklaraciaEdit::prePostStep);
}

rules::TdmValidacii *TfmDeklaraciaEdit::engine()
{
    connectRules();
    return m_engine;
}

void TfmDeklaraciaEdit::connectRules()
{
    rules::TdmValidacii *e = rules::dmValidacii();
    if (e == m_engine.data()) {
        if (e)
            e->setDeclaration(m_qryDataEdit, m_qryDataEdit2);
        return;
    }
    disconnect(m_marksConnection);
    m_engine = e;
    if (!e)
        return;
    e->setDeclaration(m_qryDataEdit, m_qryDataEdit2);
    m_marksConnection = connect(
        &e->fieldMarks(), &rules::FieldMarks::markedChanged, this, &TfmDeklaraciaEdit::recolour);
    for (const auto &fc : m_fieldControls)
        colour(*fc, fc->fieldCode > 0 && e->fieldMarks().isMarked(fc->fieldCode));
}

// --- Row sources and lists ----------------------------------------------------------------

DetailList *TfmDeklaraciaEdit::list(const QString &name) const
{
    for (DetailList *l : m_lists)
        if (l->name() == name)
            return l;
    return nullptr;
}

QList<DetailList *> TfmDeklaraciaEdit::lists() const
{
    return QList<DetailList *>(m_lists.begin(), m_lists.end());
}

void TfmDeklaraciaEdit::setRowDialog(const QString &listName, RowDialogCalls dialog)
{
    if (DetailList *l = list(listName))
        l->setRowDialog(std::move(dialog));
}

DetailList *TfmDeklaraciaEdit::attachList(const QString &name,
                                          QTableView *grid,
                                          QPushButton *add,
                                          QPushButton *edit,
                                          QPushButton *remove,
                                          QWidget *group,
                                          int fieldCode)
{
    DetailList *l = list(name);
    if (!l)
        return nullptr;
    l->attach(grid, add, edit, remove, group, fieldCode);
    if (grid) {
        registerFieldControl(grid, fieldCode, rules::MarkKind::Box);
        connect(grid, &QAbstractItemView::doubleClicked, this, [this, l] { listCommand(l, 3); });
    }
    if (add)
        connect(add, &QPushButton::clicked, this, [this, l] { listCommand(l, 0); });
    if (edit)
        connect(edit, &QPushButton::clicked, this, [this, l] { listCommand(l, 1); });
    if (remove)
        connect(remove, &QPushButton::clicked, this, [this, l] { listCommand(l, 2); });
    return l;
}

RowSource *TfmDeklaraciaEdit::rowsOfColumn(const QString &column) const
{
    if (storage::ColumnCatalogue::find(QStringLiteral("DEKLARACIA"), column))
        return m_qryDataEdit;
    if (storage::ColumnCatalogue::find(QStringLiteral("DEKLARACIA2"), column))
        return m_qryDataEdit2;
    return nullptr;
}

QVariant TfmDeklaraciaEdit::fieldValue(const QString &column) const
{
    const RowSource *rows = rowsOfColumn(column);
    return rows && rows->isOpen() ? rows->value(column) : QVariant();
}

bool TfmDeklaraciaEdit::rowsEditing() const
{
    return editing(m_qryDataEdit) && editing(m_qryDataEdit2);
}

void TfmDeklaraciaEdit::openRow(RowSource *rows, int code)
{
    rows->setParam(QStringLiteral("PK_CODE"), code);
    const auto steps = m_beforeOpen.value(rows);
    for (const auto &step : steps)
        step();
    storage::RefreshQuery(*rows);
}

void TfmDeklaraciaEdit::insertDefaults(RowSource *rows)
{
    for (const storage::ColumnDef *c : storage::ColumnCatalogue::columns(rows->table()))
        if (c->type == storage::ColumnType::YesNo && rows->hasField(c->columnName()))
            rows->setValue(c->columnName(), false);
    if (rows != m_qryDataEdit)
        return;
    rows->setValue(QStringLiteral("GODINA"), kNewYear);
    rows->setValue(QStringLiteral("DOCUMENT_TYPE"), 1);
    rows->setValue(QStringLiteral("II_NAETI_LICA"), 0);
    for (const char *group : kPersonnelGroups)
        for (const char *suffix : {"O", "M", "J"})
            rows->setValue(QLatin1String(group) + QLatin1String(suffix), 0);
    // The lists need the declaration's code, which a new row does not have yet.
    for (DetailList *l : m_lists)
        if (l->group())
            l->group()->setEnabled(false);
}

void TfmDeklaraciaEdit::editStep()
{
    RowSource *rows = m_qryDataEdit;
    if (rows->value(QStringLiteral("DOCUMENT_TYPE")).isNull())
        rows->setValue(QStringLiteral("DOCUMENT_TYPE"), 1);
    openLists();
    const QVariant podrazdelenia = rows->value(QStringLiteral("II_IS_PODRAZDELENIA"));
    for (DetailList *l : m_lists) {
        if (!l->group())
            continue;
        const bool on = l->name() != QLatin1String("qryPodrazdelenia") ||
                        (!podrazdelenia.isNull() && podrazdelenia.toInt() == 1);
        EnableGroup(l->group(), on, rows);
    }
    // A stored 0 means "not answered"; an empty value is left alone, so that opening
    // changes nothing.
    if (!podrazdelenia.isNull() && podrazdelenia.toInt() == 0)
        rows->setValue(QStringLiteral("II_IS_PODRAZDELENIA"), QVariant());
}

void TfmDeklaraciaEdit::prePostStep()
{
    RowSource *rows = m_qryDataEdit;
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    rows->setValue(QStringLiteral("DEKLARACIA_DATA"), now);
    for (const char *name : kQuotedColumns) {
        const QString column = QLatin1String(name);
        const QVariant v = rows->value(column);
        if (v.isNull())
            continue;
        const QString stripped = StripQuotes(v.toString());
        if (stripped != v.toString())
            rows->setValue(column, stripped.isEmpty() ? QVariant() : QVariant(stripped));
    }
}

void TfmDeklaraciaEdit::openLists()
{
    for (DetailList *l : m_lists)
        refreshList(l->name());
}

void TfmDeklaraciaEdit::refreshList(const QString &name)
{
    DetailList *l = list(name);
    if (!l)
        return;
    const QVariant key = l->currentKey();
    const QVariant code = m_qryDataEdit->isOpen() ? m_qryDataEdit->value(kCode) : QVariant();
    storage::SetParamValue(*l->model(), QStringLiteral("DEKLARACIA_CODE"), code);
    storage::RefreshQuery(*l->model());
    l->selectKey(key);
}

void TfmDeklaraciaEdit::updateListButtons(const QString &name)
{
    if (DetailList *l = list(name))
        l->updateButtons();
}

void TfmDeklaraciaEdit::afterListOpened(DetailList *list)
{
    if (list->model()->isOpen() && m_qryDataEdit->isOpen() && m_qryDataEdit2->isOpen()) {
        try {
            RecheckFieldRules(list->fieldCode(), true);
        } catch (const Error &e) {
            showError(e.message());
        }
    }
    list->updateButtons();
    list->selectKey(QVariant());
}

void TfmDeklaraciaEdit::listCommand(DetailList *list, int command)
{
    runUserAction([this, list, command] {
        if (!m_qryDataEdit->isOpen())
            return;
        const RowDialogCalls &dialog = list->rowDialog();
        const int code = m_qryDataEdit->value(kCode).toInt();
        int action = command;
        if (action == 3) // double click
            action = list->model()->isEmpty() ? 0 : 1;
        QVariant key;
        switch (action) {
        case 0:
            if (!dialog.AddItem || (list->addButton() && !list->addButton()->isEnabled()))
                return;
            key = dialog.AddItem(code);
            break;
        case 1:
            key = list->currentKey();
            if (key.isNull() || !dialog.EditItem)
                return;
            dialog.EditItem(key.toInt());
            break;
        case 2:
            key = list->currentKey();
            if (key.isNull() || !dialog.DeleteItem)
                return;
            dialog.DeleteItem(key.toInt());
            key = QVariant();
            break;
        default:
            return;
        }
        refreshList(list->name());
        list->selectKey(key);
    });
}

void TfmDeklaraciaEdit::CloseDataSets()
{
    for (const char *name : {"qryGradove", "qryObshtina", "qryOblasti"})
        if (storage::ListModel *m = m_dataSets.value(QLatin1String(name)))
            m->close();
    for (const char *name :
         {"qryUpravliavashti", "qryKID", "qryPodrazdelenia", "qryHimAg", "qryMuta", "qryPochivki"})
        if (DetailList *l = list(QLatin1String(name)))
            l->model()->close();
}

void TfmDeklaraciaEdit::CloseDeklaracia()
{
    CloseDataSets();
    m_qryDataEdit2->close();
    m_qryDataEdit->close();
}

void TfmDeklaraciaEdit::OpenDeklaracia(int code)
{
    connectRules();
    m_qryDataEdit->close();
    m_qryDataEdit2->close();
    openRow(m_qryDataEdit, code);
    openRow(m_qryDataEdit2, code);
}

// --- Creating, editing, deleting ------------------------------------------------------------

int TfmDeklaraciaEdit::GetNewDeklaraciaCode()
{
    storage::RefreshQuery(*m_qryMaxCode);
    const QVariant max = m_qryMaxCode->value(QStringLiteral("MAX_CODE"));
    m_qryMaxCode->close();
    return max.isNull() ? 1 : max.toInt() + 1;
}

void TfmDeklaraciaEdit::AddItem(int &code)
{
    connectRules();
    code = -1;
    int newCode = -1;
    const QSqlDatabase db = m_qryDataEdit->database();
    auto closeRows = [this] {
        m_qryDataEdit->close();
        m_qryDataEdit2->close();
    };
    try {
        openRow(m_qryDataEdit, -1);
        openRow(m_qryDataEdit2, -1);
        m_qryDataEdit->append();
        insertDefaults(m_qryDataEdit);
        m_qryDataEdit2->append();
        insertDefaults(m_qryDataEdit2);
        {
            // The code is taken inside the write, so another program cannot take it too.
            storage::WriteTransaction tx(db);
            if (m_qryDataEdit->value(kCode).isNull()) {
                newCode = GetNewDeklaraciaCode();
                m_qryDataEdit->setValue(kCode, newCode);
                m_qryDataEdit2->setValue(kCode, newCode);
            } else {
                newCode = m_qryDataEdit->value(kCode).toInt();
            }
            m_qryDataEdit->post();
            m_qryDataEdit2->post();
            tx.commit();
        }
        code = newCode;

        m_qryDataEdit->setParam(QStringLiteral("PK_CODE"), newCode);
        m_qryDataEdit2->setParam(QStringLiteral("PK_CODE"), newCode);
        if (importHook && importHook(newCode))
            openLists();

        openRow(m_qryDataEdit, newCode);
        openRow(m_qryDataEdit2, newCode);
        m_qryDataEdit->edit();
        m_qryDataEdit2->edit();
    } catch (...) {
        closeRows();
        // Nothing half made stays behind.
        if (code > 0) {
            try {
                storage::deleteDocument(db, code);
            } catch (const Error &) {
            }
        }
        code = -1;
        throw;
    }

    savedOnce = false;
    const int result = exec();
    try {
        if (result != Accepted && !savedOnce) {
            m_qryDataEdit->cancel();
            m_qryDataEdit2->cancel();
            storage::deleteDocument(db, newCode);
            code = -1;
        }
    } catch (...) {
        closeRows();
        throw;
    }
    closeRows();
}

bool TfmDeklaraciaEdit::EditItem(int code)
{
    connectRules();
    const QSqlDatabase db = m_qryDataEdit->database();
    try {
        // Always the requested code, whatever an earlier OpenDeklaracia left open.
        m_qryDataEdit->close();
        m_qryDataEdit2->close();
        openRow(m_qryDataEdit, code);
        if (m_qryDataEdit->isEmpty())
            throw DatabaseError(
                QStringLiteral("Декларация с код %1 не съществува в базата от данни.").arg(code));
        m_qryDataEdit->edit();
        openRow(m_qryDataEdit2, code);
        if (m_qryDataEdit2->isEmpty()) {
            // A declaration always has its second row; one that lost it gets it back empty.
            storage::WriteTransaction tx(db);
            m_qryDataEdit2->append();
            insertDefaults(m_qryDataEdit2);
            m_qryDataEdit2->setValue(kCode, code);
            m_qryDataEdit2->post();
            tx.commit();
        }
        m_qryDataEdit2->edit();
        markAllRules();
    } catch (...) {
        m_qryDataEdit->close();
        m_qryDataEdit2->close();
        throw;
    }

    const bool ok = exec() == Accepted;
    if (!ok) {
        m_qryDataEdit->cancel();
        m_qryDataEdit2->cancel();
    }
    m_qryDataEdit->close();
    m_qryDataEdit2->close();
    return ok;
}

void TfmDeklaraciaEdit::DeleteItem(int code)
{
    RowSource *rows = m_qryDataEdit;
    struct Closer
    {
        RowSource *rows;
        ~Closer() { rows->close(); }
    } closer{rows};
    rows->close();
    openRow(rows, code);
    if (rows->isEmpty())
        return;
    QString name = blankToEmpty(rows->value(QStringLiteral("I_IMENA_FL")));
    if (name.trimmed().isEmpty())
        name = blankToEmpty(rows->value(QStringLiteral("I_NAIMENOVANIE_UL")));
    const QString eik = blankToEmpty(rows->value(QStringLiteral("I_EIK")));
    if (!dialogs().confirm(texts::deleteQuestion(name, eik)))
        return;
    // Both rows and every list row, in one transaction.
    storage::deleteDocument(rows->database(), code);
}

void TfmDeklaraciaEdit::markAllRules()
{
    rules::TdmValidacii *e = engine();
    if (!e)
        return;
    for (int n = 1; n <= rules::TdmValidacii::RuleCount; ++n)
        e->ValidateRule(n, true);
}

// --- Saving ---------------------------------------------------------------------------------

void TfmDeklaraciaEdit::postBoth(bool takeCode)
{
    const QSqlDatabase db = m_qryDataEdit->database();
    RowSource *rows[2] = {m_qryDataEdit, m_qryDataEdit2};
    QVariantMap pending[2];
    bool wasEditing[2];
    for (int i = 0; i < 2; ++i) {
        wasEditing[i] = rows[i]->state() == RowSource::State::Edit;
        for (const QString &c : rows[i]->changedColumns())
            pending[i].insert(c, rows[i]->value(c));
        // A text too long for its column stops the save before anything is written.
        storage::checkLengths(db, rows[i]->table(), pending[i]);
    }

    storage::WriteTransaction tx(db);
    bool taken = false;
    try {
        if (takeCode) {
            const int newCode = GetNewDeklaraciaCode();
            taken = true;
            m_qryDataEdit->setValue(kCode, newCode);
            m_qryDataEdit2->setValue(kCode, newCode);
        }
        m_qryDataEdit->post();
        m_qryDataEdit2->post();
        tx.commit();
    } catch (...) {
        tx.rollback();
        // The rows keep what the user entered: a row already posted in memory takes its
        // values back, since the database kept none of them.
        m_restoring = true;
        try {
            for (int i = 0; i < 2; ++i) {
                if (!wasEditing[i] || editing(rows[i]) || !rows[i]->isOpen())
                    continue;
                rows[i]->edit();
                for (auto it = pending[i].cbegin(); it != pending[i].cend(); ++it)
                    rows[i]->setValue(it.key(), it.value());
            }
            if (taken) {
                m_qryDataEdit->setValue(kCode, QVariant());
                m_qryDataEdit2->setValue(kCode, QVariant());
            }
        } catch (...) {
        }
        m_restoring = false;
        throw;
    }
}

void TfmDeklaraciaEdit::SaveDeklaracia()
{
    postBoth(m_qryDataEdit->value(kCode).isNull());
    m_qryDataEdit->edit();
    m_qryDataEdit2->edit();
    savedOnce = true;
}

void TfmDeklaraciaEdit::saveSnapshot()
{
    // The declaration as it stood before the action that made the 51st change: a whole
    // action, cascade included, is either saved or pending, and the 51st value itself
    // goes with the next save.
    const QVariant code = m_qryDataEdit->value(kCode);
    if (code.isNull()) {
        SaveDeklaracia();
        return;
    }
    QVariantMap values[2];
    RowSource *rows[2] = {m_qryDataEdit, m_qryDataEdit2};
    const QVariantMap *snapshots[2] = {&m_autoSnapshot1, &m_autoSnapshot2};
    for (int i = 0; i < 2; ++i)
        for (const QString &c : rows[i]->changedColumns())
            if (rows[i]->isWritable(c) && c.compare(kCode, Qt::CaseInsensitive) != 0)
                values[i].insert(c, snapshots[i]->value(c.toUpper()));

    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    values[0].insert(QStringLiteral("DEKLARACIA_DATA"), now);
    QVariantMap stripped;
    for (const char *name : kQuotedColumns) {
        const QString column = QLatin1String(name);
        if (!values[0].contains(column) || values[0].value(column).isNull())
            continue;
        const QString s = StripQuotes(values[0].value(column).toString());
        values[0].insert(column, s.isEmpty() ? QVariant() : QVariant(s));
        stripped.insert(column, values[0].value(column));
    }

    const QSqlDatabase db = m_qryDataEdit->database();
    {
        storage::WriteTransaction tx(db);
        storage::updateRow(db, QStringLiteral("DEKLARACIA"), code, values[0]);
        storage::updateRow(db, QStringLiteral("DEKLARACIA2"), code, values[1]);
        tx.commit();
    }
    // The row shows what was stored where the pending action did not change it.
    m_qryDataEdit->setValue(QStringLiteral("DEKLARACIA_DATA"), now);
    for (auto it = stripped.cbegin(); it != stripped.cend(); ++it)
        if (sameValue(m_qryDataEdit->value(it.key()), m_autoSnapshot1.value(it.key())) &&
            !sameValue(m_qryDataEdit->value(it.key()), it.value()))
            m_qryDataEdit->setValue(it.key(), it.value());
    savedOnce = true;
}

void TfmDeklaraciaEdit::AutoSave()
{
    if (!rowsEditing())
        return;
    suppressChangeCount = true;
    bool saved = false;
    try {
        if (m_autoSnapshot1.isEmpty())
            SaveDeklaracia();
        else
            saveSnapshot();
        saved = true;
    } catch (const Error &e) {
        showError(e.message());
    }
    m_autoSnapshot1.clear();
    m_autoSnapshot2.clear();
    suppressChangeCount = false;
    if (saved)
        StartSaveIndicator(500, 4000);
}

void TfmDeklaraciaEdit::UpdChangedFieldsCountOnChange(const QString &column)
{
    if (suppressChangeCount || !countedColumns().contains(column.toUpper()))
        return;
    CountFieldChange();
}

void TfmDeklaraciaEdit::CountFieldChange()
{
    ++changedFieldsCount;
    if (changedFieldsCount > AutoSaveAfter && rowsEditing()) {
        changedFieldsCount = 0;
        if (!m_snapshotTaken)
            takeSnapshot();
        // Saved when the action and its cascade are over.
        m_autoSaveDue = true;
        m_autoSnapshot1 = m_snapshot1;
        m_autoSnapshot2 = m_snapshot2;
    }
}

void TfmDeklaraciaEdit::takeSnapshot()
{
    m_snapshot1 = rowValues(m_qryDataEdit);
    m_snapshot2 = rowValues(m_qryDataEdit2);
    m_snapshotTaken = true;
    if (m_actionDepth == 0 && !m_actionQueued) {
        // A change made outside any user action (code run from a plain signal): the action
        // ends when control returns to the event loop.
        m_actionQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_actionQueued = false;
                if (m_actionDepth == 0) {
                    ++m_actionDepth;
                    endAction();
                }
            },
            Qt::QueuedConnection);
    }
}

void TfmDeklaraciaEdit::beginAction()
{
    ++m_actionDepth;
}

void TfmDeklaraciaEdit::endAction()
{
    if (--m_actionDepth > 0)
        return;
    m_actionDepth = 0;
    m_snapshotTaken = false;
    if (m_autoSaveDue) {
        m_autoSaveDue = false;
        AutoSave();
    }
}

void TfmDeklaraciaEdit::runUserAction(const std::function<void()> &action)
{
    UserAction scope(*this);
    try {
        action();
    } catch (const Error &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void TfmDeklaraciaEdit::showError(const QString &message)
{
    dialogs().error(message);
}

// --- Automatic-save indicator ----------------------------------------------------------------

void TfmDeklaraciaEdit::StartSaveIndicator(int interval1, int interval2)
{
    m_timer1->setInterval(interval1);
    m_timer2->setInterval(interval2);
    m_timer1->start();
}

void TfmDeklaraciaEdit::Timer1Timer()
{
    if (!m_timer2->isActive()) {
        m_timer2->start();
        QPalette p = m_JvLabel1->palette();
        p.setColor(QPalette::WindowText, QColor(255, 0, 0));
        m_JvLabel1->setPalette(p);
        viTimer = 0;
        m_timer3->start();
        m_JvLabel1->setText(texts::kAutoSaveText);
        m_JvLabel1->show();
    }
    m_imgSaveStat->setVisible(m_imgSaveStat->isHidden());
}

void TfmDeklaraciaEdit::Timer2Timer()
{
    m_timer1->stop();
    m_imgSaveStat->hide();
    m_JvLabel1->hide();
    m_timer2->stop();
}

void TfmDeklaraciaEdit::Timer3Timer()
{
    ++viTimer;
    if (viTimer > 11) {
        QPalette p = m_JvLabel1->palette();
        p.setColor(QPalette::WindowText, QColor(qMax(0, 247 - 13 * (viTimer - 11)), 0, 0));
        m_JvLabel1->setPalette(p);
    }
    if (viTimer >= 30) {
        m_JvLabel1->hide();
        m_timer3->stop();
    }
}

// --- Commands ---------------------------------------------------------------------------------

void TfmDeklaraciaEdit::btnSaveClick()
{
    changedFieldsCount = 0;
    suppressChangeCount = true;
    try {
        // The value being typed goes with the save.
        m_bindings->commitAll();
        SaveDeklaracia();
    } catch (const Error &e) {
        suppressChangeCount = false;
        showError(e.message());
        return;
    }
    suppressChangeCount = false;
}

void TfmDeklaraciaEdit::btnOKClick()
{
    leaveCurrentField();
    suppressChangeCount = true;
    try {
        m_bindings->commitAll();
        if (editing(m_qryDataEdit)) {
            storage::CheckRequiredFields(*m_qryDataEdit);
            // Saved before the window closes: a failure keeps the window and the input.
            SaveDeklaracia();
        }
    } catch (const Error &e) {
        suppressChangeCount = false;
        showError(e.message());
        return;
    }
    suppressChangeCount = false;
    closeWindow(Accepted);
}

bool TfmDeklaraciaEdit::ConfirmCancel()
{
    if (!m_qryDataEdit->isModified() && !m_qryDataEdit2->isModified())
        return true;
    return dialogs().confirm(texts::kConfirmCancel);
}

void TfmDeklaraciaEdit::reject()
{
    if (!isVisible()) {
        QDialog::reject();
        return;
    }
    leaveCurrentField();
    runUserAction([this] { m_bindings->commitAll(); });
    if (editing(m_qryDataEdit) && !ConfirmCancel())
        return;
    closeWindow(Rejected);
}

void TfmDeklaraciaEdit::closeWindow(int result)
{
    try {
        CloseDataSets();
    } catch (const Error &e) {
        showError(e.message());
    }
    m_shown = false;
    m_currentField = nullptr;
    m_timer1->stop();
    m_timer2->stop();
    m_timer3->stop();
    m_imgSaveStat->hide();
    m_JvLabel1->hide();
    qApp->removeEventFilter(this);
    QDialog::done(result);
}

void TfmDeklaraciaEdit::leaveCurrentField()
{
    if (isActiveWindow())
        m_btnOK->setFocus(Qt::OtherFocusReason);
    if (FieldControl *fc = m_currentField) {
        m_currentField = nullptr;
        runUserAction([this, fc] { exitField(fc); });
    }
}

void TfmDeklaraciaEdit::btnValidateClick()
{
    runUserAction([this] {
        m_bindings->commitAll();
        rules::TdmValidacii *e = engine();
        QString Greshki;
        if (!e || e->CheckValidations(false, Greshki)) {
            dialogs().information(texts::kNoViolations);
            return;
        }
        QString name = blankToEmpty(fieldValue(QStringLiteral("I_NAIMENOVANIE_UL")));
        if (name.trimmed().isEmpty())
            name = blankToEmpty(fieldValue(QStringLiteral("I_IMENA_FL")));
        const QString eik = blankToEmpty(fieldValue(QStringLiteral("I_EIK")));
        if (violationsHook) {
            violationsHook(Greshki, eik, name, texts::kVid);
        } else if (TfmGreshki *shared = fmGreshki()) {
            shared->ShowWithErrors(Greshki, eik, name, texts::kVid);
        } else {
            TfmGreshki own(this);
            own.ShowWithErrors(Greshki, eik, name, texts::kVid);
        }
    });
}

// --- Showing the window and its pages -----------------------------------------------------------

void TfmDeklaraciaEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        showingWindow();
}

void TfmDeklaraciaEdit::showingWindow()
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    m_shown = false;
    m_currentField = nullptr;
    try {
        if (rules::TdmValidacii *e = engine()) {
            QString discarded;
            e->CheckValidations(true, discarded);
        }
    } catch (const Error &e) {
        showError(e.message());
    }
    changedFieldsCount = 0;
    suppressChangeCount = false;
    m_autoSaveDue = false;
    m_snapshotTaken = false;
    m_reValidacii->clear();
    m_shown = true;
    qApp->installEventFilter(this);

    if (m_pages->currentIndex() != 0)
        m_pages->setCurrentIndex(0); // runs the page's show step
    else
        showPage(0);
    for (const char *name : {"edtIImeUL", "edtIImenaFL"}) {
        QWidget *w = control(QLatin1String(name));
        if (w && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    m_btnOK->setVisible(true);
    m_btnCancel->setVisible(true);
    m_btnSave->setVisible(true);
}

void TfmDeklaraciaEdit::showPage(int index)
{
    if (index < 0 || index >= PageCount)
        return;
    m_areas[index]->verticalScrollBar()->setValue(0);
    if (!isVisible())
        return;
    QWidget *w = control(m_focusControls[index]);
    if (w && w->isEnabled() && m_areas[index]->isAncestorOf(w))
        w->setFocus(Qt::OtherFocusReason);
}

QScrollArea *TfmDeklaraciaEdit::pageArea(int page) const
{
    return page >= 0 && page < PageCount ? m_areas[page] : nullptr;
}

QWidget *TfmDeklaraciaEdit::pageContent(int page) const
{
    QScrollArea *area = pageArea(page);
    return area ? area->widget() : nullptr;
}

void TfmDeklaraciaEdit::setPageFocusControl(int page, const QString &controlName)
{
    if (page >= 0 && page < PageCount)
        m_focusControls[page] = controlName;
}

void TfmDeklaraciaEdit::onBeforeRowsOpened(RowSource *rows, std::function<void()> step)
{
    m_beforeOpen[rows].push_back(std::move(step));
}

void TfmDeklaraciaEdit::onRowsLoaded(RowSource *rows, std::function<void()> step)
{
    m_loadSteps[rows].push_back(std::move(step));
}

void TfmDeklaraciaEdit::onColumnChanged(
    const QString &column, std::function<void(const QVariant &, const QVariant &)> reaction)
{
    m_columnReactions[column.toUpper()].push_back(std::move(reaction));
}

void TfmDeklaraciaEdit::onControlExit(const QString &controlName, std::function<void()> reaction)
{
    m_exitReactions[controlName].push_back(std::move(reaction));
}

void TfmDeklaraciaEdit::registerDataSet(const QString &name, storage::ListModel *list)
{
    m_dataSets.insert(name, list);
}

QToolButton *TfmDeklaraciaEdit::makeInfoButton(int infoCode, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("btnInfo%1").arg(infoCode));
    button->setProperty("infoCode", infoCode);
    button->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    button->setAutoRaise(true);
    // Help buttons stay out of the tab order and of the rule list.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, button] {
        runUserAction([this, button] { ShowInfoButtonText(button); });
    });
    return button;
}

void TfmDeklaraciaEdit::ShowInfoButtonText(QObject *sender)
{
    auto *button = qobject_cast<QAbstractButton *>(sender);
    if (!button)
        throw Error(texts::kSibt);
    if (infoHook)
        infoHook(button->property("infoCode").toInt());
}

// --- Groups -------------------------------------------------------------------------------------

void TfmDeklaraciaEdit::EnableGroup(QWidget *control, bool state, RowSource *rows)
{
    if (!control)
        return;
    const bool clearing = !state && editing(rows);
    std::function<void(QWidget *)> walk = [&](QWidget *parent) {
        const QObjectList children = parent->children();
        for (QObject *o : children) {
            auto *w = qobject_cast<QWidget *>(o);
            if (!w || w->isWindow())
                continue;
            w->setEnabled(state);
            if (clearing)
                ClearControlField(w);
            if (QWidget *inside = groupInside(w))
                walk(inside);
        }
    };
    if (QWidget *inside = groupInside(control))
        walk(inside);
    control->setEnabled(state);
    if (clearing)
        ClearControlField(control);
    if (state) {
        // A list switched on offers "Редактиране..." and "Изтриване..." only with rows.
        for (DetailList *l : m_lists)
            if (l->group() && (l->group() == control || control->isAncestorOf(l->group())))
                l->updateButtons();
    }
}

void TfmDeklaraciaEdit::ClearControlField(QWidget *control)
{
    if (Binding *b = m_bindings->byControl(control); b && editing(b->rows()))
        b->clearColumn();
    RecheckControlRules(control);
}

// --- Rules --------------------------------------------------------------------------------------

bool TfmDeklaraciaEdit::PrviloActive(int PraviloCode)
{
    return rules::TdmValidacii::PrviloActive(PraviloCode);
}

int TfmDeklaraciaEdit::fieldCodeOf(const QWidget *control)
{
    return control ? control->property("fieldCode").toInt() : 0;
}

void TfmDeklaraciaEdit::RecheckFieldRules(int PoleCode, bool Svetvai)
{
    if (!Svetvai)
        m_reValidacii->clear();
    rules::TdmValidacii *e = engine();
    if (!e)
        return;
    const auto list = e->RecheckFieldRules(PoleCode, Svetvai);
    if (Svetvai || !list)
        return;
    QTextCursor cursor(m_reValidacii->document());
    bool first = true;
    auto addLine = [&](const QString &text, const QColor &colour) {
        if (!first)
            cursor.insertBlock();
        first = false;
        QTextCharFormat format;
        format.setForeground(colour);
        cursor.insertText(text, format);
    };
    for (const auto &entry : list->violated)
        addLine(entry.text,
                QColor(rules::ViolatedRuleText.red,
                       rules::ViolatedRuleText.green,
                       rules::ViolatedRuleText.blue));
    for (const auto &entry : list->satisfied)
        addLine(entry.text, palette().color(QPalette::WindowText));
    m_reValidacii->moveCursor(QTextCursor::Start);
}

void TfmDeklaraciaEdit::RecheckControlRules(QWidget *control)
{
    const int code = fieldCodeOf(control);
    if (code != 0)
        RecheckFieldRules(code, true);
}

void TfmDeklaraciaEdit::ValidationOnEnter(QWidget *control)
{
    RecheckFieldRules(fieldCodeOf(control), false);
}

void TfmDeklaraciaEdit::ValidationOnExit(QWidget *control)
{
    RecheckControlRules(control);
}

void TfmDeklaraciaEdit::registerFieldControl(QWidget *control, int fieldCode, rules::MarkKind kind)
{
    if (!control)
        return;
    control->setProperty("fieldCode", fieldCode);
    if (FieldControl *existing = m_fieldByWidget.value(control)) {
        existing->fieldCode = fieldCode;
        existing->kind = kind;
        return;
    }
    auto fc = std::make_unique<FieldControl>();
    fc->widget = control;
    fc->fieldCode = fieldCode;
    fc->kind = kind;
    fc->normalAutoFill = control->autoFillBackground();
    switch (rules::normalRole(kind)) {
    case rules::NormalRole::Window:
        fc->normalColour = control->palette().color(QPalette::Base);
        break;
    case rules::NormalRole::ButtonFace:
        fc->normalColour = control->palette().color(QPalette::Window);
        break;
    case rules::NormalRole::WindowText:
        fc->normalColour = control->palette().color(QPalette::WindowText);
        break;
    case rules::NormalRole::Unchanged:
        break;
    }
    m_fieldByWidget.insert(control, fc.get());
    connect(control, &QObject::destroyed, this, [this, control] {
        FieldControl *gone = m_fieldByWidget.take(control);
        if (m_currentField == gone)
            m_currentField = nullptr;
    });
    m_fieldControls.push_back(std::move(fc));
    if (m_engine && fieldCode > 0 && fieldCode <= rules::TdmValidacii::FieldCount &&
        m_engine->fieldMarks().isMarked(fieldCode))
        colour(*m_fieldControls.back(), true);
}

void TfmDeklaraciaEdit::recolour(int fieldCode, bool marked)
{
    for (const auto &fc : m_fieldControls)
        if (fc->fieldCode == fieldCode)
            colour(*fc, marked);
}

void TfmDeklaraciaEdit::colour(FieldControl &fc, bool marked)
{
    QWidget *w = fc.widget;
    if (!w)
        return;
    rules::Rgb rgb{};
    if (!rules::markedColour(fc.kind, &rgb))
        return;
    const QColor markColour(rgb.red, rgb.green, rgb.blue);
    QPalette p = w->palette();
    switch (fc.kind) {
    case rules::MarkKind::Box:
        p.setColor(QPalette::Base, marked ? markColour : fc.normalColour);
        // A closed drop-down list paints its face with the button colour.
        if (w->inherits("QComboBox"))
            p.setColor(QPalette::Button,
                       marked ? markColour : QApplication::palette(w).color(QPalette::Button));
        break;
    case rules::MarkKind::Panel:
        p.setColor(QPalette::Window, marked ? markColour : fc.normalColour);
        w->setAutoFillBackground(marked || fc.normalAutoFill);
        break;
    case rules::MarkKind::OfficeCheckBox:
        p.setColor(QPalette::WindowText, marked ? markColour : fc.normalColour);
        break;
    case rules::MarkKind::Other:
        return;
    }
    w->setPalette(p);
    w->setProperty("marked", marked);
    w->update();
}

TfmDeklaraciaEdit::FieldControl *TfmDeklaraciaEdit::fieldControlOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (FieldControl *fc = m_fieldByWidget.value(w)) {
            if (w == widget)
                return fc;
            const Binding *b = m_bindings->byControl(w);
            return b && b->ownsChildFocus() ? fc : nullptr;
        }
        if (w->isWindow())
            break;
    }
    return nullptr;
}

void TfmDeklaraciaEdit::focusChanged(QWidget *, QWidget *now)
{
    // Focus moving to a message box or another window is no field change.
    if (!m_shown || m_inFocusChange || !now || !isAncestorOf(now))
        return;
    FieldControl *fc = fieldControlOf(now);
    if (fc == m_currentField)
        return;
    m_inFocusChange = true;
    FieldControl *old = m_currentField;
    m_currentField = fc;
    runUserAction([this, old, fc] {
        if (old)
            exitField(old);
        if (fc)
            enterField(fc);
    });
    m_inFocusChange = false;
}

void TfmDeklaraciaEdit::enterField(FieldControl *fc)
{
    if (fc->widget)
        ValidationOnEnter(fc->widget);
}

void TfmDeklaraciaEdit::exitField(FieldControl *fc)
{
    QWidget *w = fc->widget;
    if (!w)
        return;
    if (Binding *b = m_bindings->byControl(w))
        b->commit();
    ValidationOnExit(w);
    const auto it = m_exitReactions.constFind(w->objectName());
    if (it == m_exitReactions.constEnd())
        return;
    const auto reactions = *it;
    for (const auto &reaction : reactions)
        reaction();
}

// --- Keys and wheel -----------------------------------------------------------------------------

bool TfmDeklaraciaEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_btnCancel && event->type() == QEvent::KeyPress) {
        const auto mods = static_cast<QKeyEvent *>(event)->modifiers();
        const auto all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
        if ((mods & all) == all) {
            storage::ShowFieldValues(*m_qryDataEdit, texts::kDumpTitle);
            return true;
        }
    }
    if (event->type() == QEvent::Wheel) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && (w == this || isAncestorOf(w)) &&
            wheel(watched, static_cast<QWheelEvent *>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TfmDeklaraciaEdit::wheel(QObject *, QWheelEvent *event)
{
    if (!m_shown || !isActiveWindow() || scrollsItself(QApplication::focusWidget()))
        return false;
    QScrollArea *area = pageArea(m_pages->currentIndex());
    if (!area)
        return false;
    // Half the wheel delta, truncated toward zero: one notch of 120 moves 60 units.
    const int delta = event->angleDelta().y();
    QScrollBar *bar = area->verticalScrollBar();
    bar->setValue(bar->value() - delta / 2);
    return true;
}

} // namespace kesp::declaration
