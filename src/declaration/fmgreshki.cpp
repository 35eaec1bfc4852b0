#include "fmgreshki.h"

#include "dialogs.h"
#include "errors.h"
#include "rtfwriter.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kesp::declaration {

namespace {

TfmGreshki *g_fmGreshki = nullptr;

const QString kCaption = QStringLiteral("КЕСП+");
const QString kPrint = QStringLiteral("Отпечатай...");
const QString kSave = QStringLiteral("Запиши във файл...");
const QString kExit = QStringLiteral("Изход");
const QString kWillPrint =
    QStringLiteral("Документът ще бъде отпечатан на принтера по подразбиране.");
const QString kJobTitle = QStringLiteral("Greshki");
const QString kPrinted = QStringLiteral("Документът беше отпечатан успешно.");
const QString kNotPrinted = QStringLiteral("Възникна грешка - документът не беше отпечатан!");
const QString kSaved = QStringLiteral("Файлът беше успешно създаден:");
const QString kNotSaved = QStringLiteral("Възникна грешка - файлът не може да бъде създаден!");

const QString kLineBreak = QStringLiteral("\n\r");
const QString kFontFamily = QStringLiteral("Tahoma");
constexpr int kFontSize = 10;
constexpr int kHeadingSize = 12;

// The program's texts break lines with LF CR; any other line end counts as one break too.
QStringList splitLines(const QString &text)
{
    QStringList lines(QString{});
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            const QChar other = ch == QLatin1Char('\n') ? QLatin1Char('\r') : QLatin1Char('\n');
            if (i + 1 < text.size() && text.at(i + 1) == other)
                ++i;
            lines.append(QString());
        } else {
            lines.last() += ch;
        }
    }
    return lines;
}

RtfAlignment rtfAlignment(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return RtfAlignment::Center;
    if (a & Qt::AlignRight)
        return RtfAlignment::Right;
    if (a & Qt::AlignJustify)
        return RtfAlignment::Justify;
    return RtfAlignment::Left;
}

} // namespace

TfmGreshki *fmGreshki()
{
    return g_fmGreshki;
}

TfmGreshki::TfmGreshki(QWidget *parent)
    : QDialog(parent)
    , m_edt1(new QTextEdit(this))
    , m_btnPrint(new QPushButton(kPrint, this))
    , m_btnSave(new QPushButton(kSave, this))
    , m_btnExit(new QPushButton(kExit, this))
    , m_printStep(&TfmGreshki::printOnDefaultPrinter)
{
    setObjectName(QStringLiteral("fmGreshki"));
    setWindowTitle(kCaption);
    resize(775, 508);

    m_edt1->setObjectName(QStringLiteral("edt1"));
    m_edt1->setReadOnly(true);
    m_edt1->setAcceptRichText(true);
    QFont font(kFontFamily, kFontSize);
    m_edt1->setFont(font);
    m_edt1->document()->setDefaultFont(font);

    m_btnPrint->setObjectName(QStringLiteral("btnPrint"));
    m_btnSave->setObjectName(QStringLiteral("btnSave"));
    m_btnExit->setObjectName(QStringLiteral("btnExit"));
    // Enter must not print or save by accident; Escape closes through reject().
    for (QPushButton *b : {m_btnPrint, m_btnSave, m_btnExit})
        b->setAutoDefault(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_btnPrint);
    bar->addWidget(m_btnSave);
    bar->addStretch(1);
    bar->addWidget(m_btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edt1, 1);
    layout->addLayout(bar);

    connect(m_btnPrint, &QPushButton::clicked, this, &TfmGreshki::btnPrintClick);
    connect(m_btnSave, &QPushButton::clicked, this, &TfmGreshki::btnSaveClick);
    connect(m_btnExit, &QPushButton::clicked, this, &QDialog::reject);

    g_fmGreshki = this;
}

TfmGreshki::~TfmGreshki()
{
    if (g_fmGreshki == this)
        g_fmGreshki = nullptr;
}

QString TfmGreshki::heading(const QString &EIK, const QString &Lice, const QString &Vid)
{
    return QStringLiteral("Списък на правилата за коректност, на които ") + Vid +
           QStringLiteral(" за") + kLineBreak + QLatin1Char('"') + Lice + QLatin1Char('"') +
           QStringLiteral(" с ЕИК / ЕГН ") + EIK + kLineBreak + QStringLiteral("не отговаря:");
}

QString TfmGreshki::personName(const QString &naimenovanieUL, const QString &imenaFL)
{
    return naimenovanieUL.trimmed().isEmpty() ? imenaFL : naimenovanieUL;
}

bool TfmGreshki::isUsableInFileName(const QString &EIK)
{
    // What Windows refuses in a name, which covers "/" everywhere else.
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar ch : EIK)
        if (ch.unicode() < 0x20 || forbidden.contains(ch))
            return false;
    return true;
}

QString TfmGreshki::filePath(const QString &folder, const QString &EIK)
{
    return QDir(folder).filePath(QStringLiteral("Greshki-") + EIK + QStringLiteral(".rtf"));
}

void TfmGreshki::fill(const QString &text,
                      const QString &EIK,
                      const QString &Lice,
                      const QString &Vid)
{
    m_EIKstr = EIK;

    const QStringList head = splitLines(heading(EIK, Lice, Vid));
    const QStringList rest = splitLines(kLineBreak + kLineBreak + text).mid(1);

    QTextCharFormat headFormat;
    headFormat.setFontFamilies({kFontFamily});
    headFormat.setFontWeight(QFont::Bold);
    headFormat.setFontPointSize(kHeadingSize);
    QTextCharFormat listFormat;
    listFormat.setFontFamilies({kFontFamily});
    listFormat.setFontWeight(QFont::Normal);
    listFormat.setFontPointSize(kFontSize);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);

    m_edt1->clear();
    QTextCursor c(m_edt1->document());
    c.beginEditBlock();
    c.setBlockFormat(centred);
    c.setBlockCharFormat(headFormat);
    c.insertText(head.first(), headFormat);
    for (qsizetype i = 1; i < head.size(); ++i) {
        c.insertBlock(centred, headFormat);
        c.insertText(head.at(i), headFormat);
    }
    for (const QString &line : rest) {
        c.insertBlock(left, listFormat);
        c.insertText(line, listFormat);
    }
    c.endEditBlock();

    QTextCursor start(m_edt1->document());
    start.movePosition(QTextCursor::Start);
    m_edt1->setTextCursor(start);
}

void TfmGreshki::ShowWithErrors(const QString &text,
                                const QString &EIK,
                                const QString &Lice,
                                const QString &Vid)
{
    fill(text, EIK, Lice, Vid);
    exec();
}

QByteArray TfmGreshki::toRtf() const
{
    return rtfDocument().toRtf();
}

RtfWriter TfmGreshki::rtfDocument() const
{
    RtfWriter w(kFontFamily, kFontSize);
    for (QTextBlock b = m_edt1->document()->begin(); b.isValid(); b = b.next()) {
        w.beginParagraph(rtfAlignment(b.blockFormat().alignment()));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid())
                continue;
            const QTextCharFormat fmt = f.charFormat();
            QString t = f.text();
            t.replace(QChar::LineSeparator, QLatin1Char('\n'));
            w.addText(t, fmt.fontWeight() >= QFont::Bold, fmt.fontPointSize());
        }
    }
    return w;
}

bool TfmGreshki::printOnDefaultPrinter(const QTextDocument &document, const QString &jobTitle)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    if (!printer.isValid())
        return false;
    document.print(&printer);
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

void TfmGreshki::btnPrintClick()
{
    dialogs().information(kWillPrint);
    bool printed = false;
    try {
        printed = m_printStep && m_printStep(*m_edt1->document(), kJobTitle);
    } catch (...) {
        printed = false;
    }
    if (printed)
        dialogs().information(kPrinted);
    else
        dialogs().error(kNotPrinted);
}

void TfmGreshki::btnSaveClick()
{
    const QString folder = dialogs().existingDirectory(QString(), QString());
    if (folder.isEmpty())
        return;
    try {
        if (!isUsableInFileName(m_EIKstr))
            throw Error(kNotSaved);
        const QString path = filePath(folder, m_EIKstr);
        // Written whole and then put in place, replacing an earlier report of the same name.
        rtfDocument().save(path);
        dialogs().information(kSaved + kLineBreak + kLineBreak + QDir::toNativeSeparators(path));
    } catch (...) {
        dialogs().error(kNotSaved);
    }
}

} // namespace kesp::declaration
