#pragma once

#include <QString>
#include <QStringList>

// The declaration editor's own texts, kept together so that every window and test uses
// exactly the same characters (Cyrillic "І" in the section captions, LF CR breaks).
namespace kesp::declaration::texts {

inline const QString kCaption = QStringLiteral("Декларация по чл. 15 от ЗКЕСП");
inline const QString kValidate = QStringLiteral("Проверка за коректност...");
inline const QString kValidateHint =
    QStringLiteral("Проверка на попълнените в декларацията данни - по правилата за коректност.");
inline const QString kSave = QStringLiteral("Запис");
inline const QString kSaveHint =
    QStringLiteral("Записване на данните в декларацията без затваряне на текущия прозорец.");
inline const QString kOK = QStringLiteral("OK");
inline const QString kOKHint =
    QStringLiteral("Записване на данните в декларацията и затваряне на текущия прозорец.");
inline const QString kCancel = QStringLiteral("Отказ");
inline const QString kCancelHint = QStringLiteral(
    "Затваряне на текущия прозорец без записване на последните промени по декларацията.");
inline const QStringList kStripLines = {QStringLiteral("Правила за"),
                                        QStringLiteral("коректност"),
                                        QStringLiteral("(към текущо"),
                                        QStringLiteral("избраното поле):")};

// "Сигурни ли сте, че желаете да изтриете декларацията на "<name>" с ЕИК <EIK>?"
inline QString deleteQuestion(const QString &name, const QString &eik)
{
    return QStringLiteral("Сигурни ли сте, че желаете да изтриете декларацията на \"") + name +
           QStringLiteral("\" с ЕИК ") + eik + QStringLiteral("?");
}
inline const QString kConfirmCancel = QStringLiteral(
    "Излизането с \"Отказ\" ще доведе до загуба на последните промени\n\rв текущия "
    "Раздел/Приложение!\n\r\n\rСигурни ли сте, че желаете да излезете от прозореца?");
inline const QString kDumpTitle = QStringLiteral(
    "Стойности на различните параметри в едит куерито на \"Редактиране на декларация\"");
inline const QString kAutoSaveText = QStringLiteral("Автоматично записване на данните...");
inline const QString kNoViolations =
    QStringLiteral("В декларацията няма нарушени правила за коректност.");
inline const QString kVid = QStringLiteral("попълнената декларация");
inline const QString kSibt =
    QStringLiteral("Възникна вътрешна грешка! Неправилно извикване на функцията SIBT!");
inline const QString kAdd = QStringLiteral("Добавяне...");
inline const QString kEdit = QStringLiteral("Редактиране...");
inline const QString kDelete = QStringLiteral("Изтриване...");

struct PageText
{
    QString page;
    QString caption;
    QString scrollArea;
    QString focusControl;
};

// The nine pages in order; there is no page for a section V.
inline const PageText kPages[] = {
    {QStringLiteral("tsI"),
     QStringLiteral("Раздел І"),
     QStringLiteral("sbI"),
     QStringLiteral("edtGodina")},
    {QStringLiteral("tsII"),
     QStringLiteral("Раздел ІІ"),
     QStringLiteral("sbII"),
     QStringLiteral("edtIINaimenovanie")},
    {QStringLiteral("tsIII"),
     QStringLiteral("Раздел ІІІ"),
     QStringLiteral("sbIII"),
     QStringLiteral("chkIII_13")},
    {QStringLiteral("tsIV"),
     QStringLiteral("Раздел ІV"),
     QStringLiteral("sbIV"),
     QStringLiteral("edtIV_1_OBSHT_BROI_RM")},
    {QStringLiteral("tsV"),
     QStringLiteral("Приложение №1"),
     QStringLiteral("sbP1"),
     QStringLiteral("chkPrilojenie1")},
    {QStringLiteral("tsP2"),
     QStringLiteral("Приложение №2"),
     QStringLiteral("sbP2"),
     QStringLiteral("chkPrilojenie2")},
    {QStringLiteral("tsP3"),
     QStringLiteral("Приложение №3"),
     QStringLiteral("sbP3"),
     QStringLiteral("chkPrilojenie3")},
    {QStringLiteral("tsP4"),
     QStringLiteral("Приложение №4"),
     QStringLiteral("sbP4"),
     QStringLiteral("chkPrilojenie4")},
    {QStringLiteral("tsP5"),
     QStringLiteral("Приложение №5"),
     QStringLiteral("sbP5"),
     QStringLiteral("chkPrilojenie5")},
};

} // namespace kesp::declaration::texts
