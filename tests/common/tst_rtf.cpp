#include "cp1251.h"
#include "errors.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <QDir>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace kesp;

namespace {

// One line per paragraph, listing its properties and runs, so a mismatch reads plainly.
QStringList describe(const QList<RtfParagraph> &paragraphs)
{
    static const char *const align[] = {"left", "center", "right", "justify"};
    QStringList lines;
    for (const RtfParagraph &p : paragraphs) {
        QString line = QStringLiteral("%1 li%2 fi%3 sb%4 sa%5:")
                           .arg(QLatin1String(align[int(p.alignment)]))
                           .arg(p.leftIndent)
                           .arg(p.firstLineIndent)
                           .arg(p.spaceBefore)
                           .arg(p.spaceAfter);
        for (const RtfRun &r : p.runs) {
            QString format;
            if (r.bold)
                format += QLatin1Char('b');
            if (r.italic)
                format += QLatin1Char('i');
            if (r.underline)
                format += QLatin1Char('u');
            line += QStringLiteral(" [%1%2]%3").arg(format).arg(r.pointSize).arg(r.text);
        }
        lines << line;
    }
    return lines;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void cp1251Table();
    void writerGoldenBytes();
    void roundTrip();
    void savesFile();
    void readsText_data();
    void readsText();
    void readsFormatting();
    void htmlShowsInTextDocument();
    void infoTexts_data();
    void infoTexts();
    void infoTextLayout();
    void refusesNonRtf();
};

void TestRtf::cp1251Table()
{
    QCOMPARE(cp1251::toUnicode(0xC0), QChar(0x0410)); // А
    QCOMPARE(cp1251::toUnicode(0xFF), QChar(0x044F)); // я
    QCOMPARE(cp1251::toUnicode(0xA8), QChar(0x0401)); // Ё
    QCOMPARE(cp1251::toUnicode(0xB9), QChar(0x2116)); // №
    QCOMPARE(cp1251::toUnicode(0x84), QChar(0x201E)); // „
    QCOMPARE(cp1251::toUnicode(0x88), QChar(0x20AC)); // €
    QCOMPARE(cp1251::toUnicode(0xB7), QChar(0x00B7)); // · of the help texts' lists
    QCOMPARE(cp1251::toUnicode(0x98), QChar(QChar::ReplacementCharacter));

    // Every assigned byte comes back as itself.
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;
        QCOMPARE(cp1251::fromUnicode(cp1251::toUnicode(uchar(b))), b);
    }
    QCOMPARE(cp1251::fromUnicode(QChar(0x040D)), -1); // Ѝ is not in the code page
    QCOMPARE(cp1251::fromUnicode(QChar(QChar::ReplacementCharacter)), -1);

    QCOMPARE(cp1251::encode(QStringLiteral("Жк ё€")), QByteArray("\xc6\xea \xb8\x88"));
    QCOMPARE(cp1251::encode(QStringLiteral("aЍ😀b")), QByteArray("a??b"));
    QCOMPARE(cp1251::decode(QByteArray("\xc6\xea \xb8\x88")), QStringLiteral("Жк ё€"));
}

void TestRtf::writerGoldenBytes()
{
    RtfWriter w(QStringLiteral("Times New Roman"), 12);
    w.addParagraph(QStringLiteral("Грешки"), RtfAlignment::Center, true, 14);
    w.beginParagraph();
    w.addText(QStringLiteral("ЕИК: {1}\\"));
    w.addLineBreak();
    w.addText(QStringLiteral("ё\t№ Ѝ"), true);

    const QByteArray expected =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026"
        "{\\fonttbl{\\f0\\fnil\\fcharset204 Times New Roman;}}\r\n"
        "\\viewkind4\\uc1\\f0\\fs24\r\n"
        "\\pard\\qc {\\b\\fs28 \\'c3\\'f0\\'e5\\'f8\\'ea\\'e8}\\par\r\n"
        "\\pard \\'c5\\'c8\\'ca: \\{1\\}\\\\\\line {\\b \\'b8\\tab \\'b9 \\u1037?}\\par\r\n"
        "}\r\n";
    QCOMPARE(w.toRtf(), expected);
}

void TestRtf::roundTrip()
{
    RtfWriter w(QStringLiteral("Liberation Serif"), 10);
    w.addParagraph(QStringLiteral("Декларация по чл. 15 от ЗКЕСП"), RtfAlignment::Center, true, 14);
    w.addParagraph(QString());
    // The violations list separates its entries with LF CR LF CR: one empty line.
    w.addParagraph(QStringLiteral(" - Полето \"ЕИК\" е задължително!\n\r\n\r - Грешен ЕГН"));
    w.beginParagraph(RtfAlignment::Center);
    w.addText(QStringLiteral("Общо: "));
    w.addText(QStringLiteral("2 грешки"), true);
    w.addText(QStringLiteral(" {№ 5} Ѝ 😀 \\ „Да“"), false, 8.5);

    const RtfReader r(w.toRtf());
    QCOMPARE(describe(r.paragraphs()), describe(w.paragraphs()));
    QCOMPARE(r.plainText(),
             QStringLiteral("Декларация по чл. 15 от ЗКЕСП\n\n"
                            " - Полето \"ЕИК\" е задължително!\n\n - Грешен ЕГН\n"
                            "Общо: 2 грешки {№ 5} Ѝ 😀 \\ „Да“"));
}

void TestRtf::savesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RtfWriter w;
    w.addParagraph(QStringLiteral("Грешки"), RtfAlignment::Center, true);
    const QString path = dir.filePath(QStringLiteral("Greshki-123456789.rtf"));
    w.save(path);
    QCOMPARE(readFile(path), w.toRtf());

    QVERIFY_THROWS_EXCEPTION(Error, w.save(dir.filePath(QStringLiteral("missing/x.rtf"))));
}

void TestRtf::readsText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("cp1251 escapes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1\\'E2}") << QStringLiteral("Абв");
    QTest::newRow("raw cp1251 bytes") << QByteArray("{\\rtf1 \xc0\xe1}") << QStringLiteral("Аб");
    QTest::newRow("unicode, fallback skipped")
        << QByteArray("{\\rtf1\\uc1 \\u1046?\\u1078?}") << QStringLiteral("Жж");
    QTest::newRow("unicode, negative, surrogates")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QStringLiteral("😀");
    QTest::newRow("uc0: no fallback")
        << QByteArray("{\\rtf1\\uc0 \\u1046 x}") << QStringLiteral("Жx");
    QTest::newRow("uc2: hex escapes as fallback")
        << QByteArray("{\\rtf1\\uc2 \\u1046\\'c6\\'e6x}") << QStringLiteral("Жx");
    QTest::newRow("fallback ends with its group")
        << QByteArray("{\\rtf1\\uc3 {\\u1046?}xyz}") << QStringLiteral("Жxyz");
    QTest::newRow("uc restored after the group")
        << QByteArray("{\\rtf1 {\\uc0 \\u1046}\\u1047?}") << QStringLiteral("ЖЗ");
    QTest::newRow("escaped symbols")
        << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << QStringLiteral("a{b}c\\d");
    QTest::newRow("non-breaking space")
        << QByteArray("{\\rtf1 a\\~b}") << QStringLiteral("a\u00A0b");
    QTest::newRow("optional hyphen hidden")
        << QByteArray("{\\rtf1 \\'ef\\'f0\\'e5\\-\\'ed\\'ee\\'f1}") << QStringLiteral("пренос");
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 a\\par b\\par}") << QStringLiteral("a\nb");
    QTest::newRow("empty paragraph kept")
        << QByteArray("{\\rtf1 a\\par\\par b}") << QStringLiteral("a\n\nb");
    QTest::newRow("line and tab") << QByteArray("{\\rtf1 a\\line b\\tab c}")
                                  << QStringLiteral("a\nb\tc");
    QTest::newRow("source line ends ignored")
        << QByteArray("{\\rtf1 a\r\nb\nc}") << QStringLiteral("abc");
    QTest::newRow("escaped line end is a paragraph")
        << QByteArray("{\\rtf1 a\\\nb}") << QStringLiteral("a\nb");
    QTest::newRow("blank after a control word is eaten, the next kept")
        << QByteArray("{\\rtf1\\b  a\\b0 b}") << QStringLiteral(" ab");
    QTest::newRow("font, colour and style tables skipped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}x}")
        << QStringLiteral("x");
    QTest::newRow("document information skipped")
        << QByteArray("{\\rtf1{\\info{\\title T}{\\author A}}x}") << QStringLiteral("x");
    QTest::newRow("starred destinations skipped")
        << QByteArray("{\\rtf1{\\*\\generator W;}{\\*\\unknown {nested} text}x}")
        << QStringLiteral("x");
    QTest::newRow("picture skipped")
        << QByteArray("{\\rtf1{\\pict\\pngblip 89504e47}x}") << QStringLiteral("x");
    QTest::newRow("binary data with braces skipped")
        << QByteArray("{\\rtf1{\\pict\\bin3 }{}}x}") << QStringLiteral("x");
    QTest::newRow("field shows its result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt site}}}")
        << QStringLiteral("site");
    QTest::newRow("named characters")
        << QByteArray("{\\rtf1 \\ldblquote a\\rdblquote\\endash b\\emdash c\\bullet}")
        << QStringLiteral("“a”–b—c•");
    QTest::newRow("text after the document ignored")
        << QByteArray("{\\rtf1 a}b") << QStringLiteral("a");
    QTest::newRow("truncated document") << QByteArray("{\\rtf1 a\\par b") << QStringLiteral("a\nb");
    QTest::newRow("truncated escape") << QByteArray("{\\rtf1 a\\'c") << QStringLiteral("a");
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1\\fs99999999999999999 a\\u99999999999?\\u-99999999999?b}")
        << QStringLiteral("ab");
    QTest::newRow("deep nesting") << QByteArray("{\\rtf1 ") + QByteArray(5000, '{') + "a" +
                                         QByteArray(5000, '}') + "b}"
                                  << QStringLiteral("ab");
}

void TestRtf::readsText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(RtfReader(rtf).plainText(), text);
}

void TestRtf::readsFormatting()
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}"
        "\\pard\\qc\\fs28{\\b \\'c7\\'e0\\'e3\\'eb\\'e0\\'e2\\'e8\\'e5}\\par\r\n"
        "\\pard\\sa60\\fs16 plain {\\i italic} {\\ul under\\ulnone  not} end\\par\r\n"
        "\\pard\\li400\\fi-200\\sb20\\b\\i\\fs40 a\\plain b\\qr\\par\r\n"
        "\\b tail}";
    const RtfReader r(rtf);
    const QStringList expected{
        QStringLiteral("center li0 fi0 sb0 sa0: [b14]Заглавие"),
        QStringLiteral("left li0 fi0 sb0 sa60: [8]plain  [i8]italic [8]  [u8]under [8] not end"),
        // Alignment is the one in force at the paragraph's end; \plain resets the characters.
        QStringLiteral("right li400 fi-200 sb20 sa0: [bi20]a [12]b"),
        // The last paragraph has no \par and keeps the paragraph properties in force.
        QStringLiteral("right li400 fi-200 sb20 sa0: [b12]tail"),
    };
    QCOMPARE(describe(r.paragraphs()), expected);
}

void TestRtf::htmlShowsInTextDocument()
{
    RtfWriter w(QStringLiteral("Liberation Serif"), 10);
    w.addParagraph(QStringLiteral("Грешки <1> & „2“"), RtfAlignment::Center, true, 14);
    w.addParagraph(QString());
    w.addParagraph(QStringLiteral(" - ред\n - втори\tред  с два интервала"));
    const RtfReader r(w.toRtf());

    QTextDocument doc;
    doc.setHtml(r.html());
    QCOMPARE(doc.toPlainText(), r.plainText());

    const QTextBlock title = doc.begin();
    QVERIFY(title.blockFormat().alignment() & Qt::AlignHCenter);
    QTextCursor c(title);
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(c.charFormat().fontPointSize(), 14.0);

    const QTextBlock body = title.next().next();
    QVERIFY(!(body.blockFormat().alignment() & Qt::AlignHCenter));
    QTextCursor b(body);
    b.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(b.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(b.charFormat().fontPointSize(), 10.0);
}

void TestRtf::infoTexts_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(QStringLiteral(KESP_INFOTEXTS_DIR));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY2(!files.isEmpty(), qPrintable(dir.path()));
    for (const QString &f : files)
        QTest::newRow(qPrintable(f)) << dir.filePath(f);
}

void TestRtf::infoTexts()
{
    QFETCH(QString, path);
    const RtfReader r(readFile(path));
    const QString text = r.plainText();

    QVERIFY(!text.trimmed().isEmpty());
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("[А-Яа-я]{4,}"))));
    // No markup leaks into the text and the font table is not read as text.
    QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[\\\\{}]"))), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Arial")));
    QVERIFY(!text.contains(QChar(QChar::ReplacementCharacter)));
    for (const RtfParagraph &p : r.paragraphs()) {
        QCOMPARE(p.spaceAfter, 60);
        for (const RtfRun &run : p.runs)
            QCOMPARE(run.pointSize, 8.0);
    }

    QTextDocument doc;
    doc.setHtml(r.html());
    QCOMPARE(doc.toPlainText(), text);
}

void TestRtf::infoTextLayout()
{
    const QString dir = QStringLiteral(KESP_INFOTEXTS_DIR "/");

    // A bulleted item: hanging indent, the bullet and a tab before the text.
    const RtfReader list(readFile(dir + QStringLiteral("ib43.rtf")));
    const RtfParagraph &item = list.paragraphs().at(1);
    QCOMPARE(item.leftIndent, 400);
    QCOMPARE(item.firstLineIndent, -200);
    QVERIFY(item.text().startsWith(QStringLiteral("·\tвредни")));
    // And a text box shows that indent (its rich text takes margins in pixels).
    QTextDocument shown;
    shown.setHtml(list.html());
    const QTextBlockFormat f = shown.findBlockByNumber(1).blockFormat();
    QCOMPARE(qRound(f.leftMargin()), 27);
    QCOMPARE(qRound(f.textIndent()), -13);

    // An underlined heading between plain paragraphs.
    const RtfReader heading(readFile(dir + QStringLiteral("ib44.rtf")));
    const RtfRun &run = heading.paragraphs().at(1).runs.first();
    QVERIFY(run.underline);
    QCOMPARE(run.text, QStringLiteral("Упътване за попълване на Приложение № 5:"));
    QVERIFY(!heading.paragraphs().at(2).runs.first().underline);
}

void TestRtf::refusesNonRtf()
{
    QVERIFY(!RtfReader::isRtf(QByteArray("plain text")));
    QVERIFY(RtfReader::isRtf(QByteArray("\r\n {\\rtf1 x}")));
    QVERIFY_THROWS_EXCEPTION(Error, RtfReader{QByteArray("plain text")});
    QVERIFY_THROWS_EXCEPTION(Error, RtfReader{QByteArray()});
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
