#pragma once

#include "bindings.h"
#include "listmodel.h"
#include "markcolours.h"

#include <QList>
#include <QString>

#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QVBoxLayout;
class QWidget;

namespace kesp::declaration {

class TfmDeklaraciaEdit;

// Builds one page of the declaration editor, a line per control:
//
//     PageBuilder b(editor, 1);
//     b.heading("Раздел ІІ. Данни за предприятието", 8);
//     b.beginItem("grpII5", "5. Предприятие", 6);
//     b.edit("edtIINaimenovanie", "II_NAIMENOVANIE", "Наименование на предприятието");
//     b.beginRow();
//     b.count("edtIINaetiM", "II_NAETI_M", "Мъже");
//     b.count("edtIINaetiJ", "II_NAETI_J", "Жени");
//     b.endRow();
//     b.end();
//
// Each control gets its objectName and the field code of its column (a page passes a
// code only where the form gives the control another one), is bound to its column in the row
// source that holds it (DEKLARACIA or DEKLARACIA2, from the column catalogue) and takes
// part in marking and in the per-field rule list. The returned widgets can be adjusted
// afterwards; reactions are hooked in through the editor and the bindings.
class PageBuilder
{
public:
    PageBuilder(TfmDeklaraciaEdit &editor, int page);
    ~PageBuilder();
    PageBuilder(const PageBuilder &) = delete;
    PageBuilder &operator=(const PageBuilder &) = delete;

    TfmDeklaraciaEdit &editor() { return m_editor; }
    // The widget the next controls go into.
    QWidget *container() const;

    // The page's heading line, with an info button when a code is given.
    QLabel *heading(const QString &text, int infoCode = 0);
    // A framed item of the form; the box is what the item's EnableGroup switches.
    QGroupBox *beginItem(const QString &name, const QString &caption, int infoCode = 0);
    // An unframed group of controls (for EnableGroup).
    QWidget *beginPanel(const QString &name);
    // Ends the innermost item or panel.
    void end();
    // The following controls go side by side until endRow().
    void beginRow();
    void endRow();
    // Width of the caption column of the following lines (0 = as wide as the text).
    void setCaptionWidth(int width) { m_captionWidth = width; }

    QLineEdit *edit(const QString &name,
                    const QString &column,
                    int fieldCode,
                    const QString &caption,
                    int width = 0);
    // A whole number (a postal code).
    QLineEdit *integer(const QString &name,
                       const QString &column,
                       int fieldCode,
                       const QString &caption,
                       int width = 80);
    // A count: digits and backspace only, 0 … 2 147 483 647.
    QLineEdit *count(const QString &name,
                     const QString &column,
                     int fieldCode,
                     const QString &caption,
                     int width = 70);
    // Read-only and skipped by the Tab key (computed totals, the year).
    QLineEdit *readOnly(const QString &name,
                        const QString &column,
                        int fieldCode,
                        const QString &caption,
                        int width = 70);
    QPlainTextEdit *memo(const QString &name,
                         const QString &column,
                         int fieldCode,
                         const QString &caption,
                         int lines = 3);
    QCheckBox *check(const QString &name,
                     const QString &column,
                     int fieldCode,
                     const QString &caption,
                     rules::MarkKind kind = rules::MarkKind::OfficeCheckBox);
    QGroupBox *radio(const QString &name,
                     const QString &column,
                     int fieldCode,
                     const QString &caption,
                     const QList<RadioBinding::Choice> &choices,
                     int columns = 2);
    // The usual "ДА" (1) / "НЕ" (2) answer.
    QGroupBox *yesNo(const QString &name,
                     const QString &column,
                     int fieldCode,
                     const QString &caption = QString());
    QComboBox *lookup(const QString &name,
                      const QString &column,
                      int fieldCode,
                      const QString &caption,
                      storage::ListModel *list,
                      const QString &keyField,
                      const QString &nameField,
                      bool clearOnDelete = true,
                      int width = 220);
    // A list of the declaration in a grid with "Добавяне...", "Редактиране...",
    // "Изтриване..." beside it; the grid, the buttons and the group get the names given.
    QTableView *list(const QString &listName,
                     const QString &gridName,
                     int fieldCode,
                     const QList<storage::ListModel::Column> &columns,
                     const QString &addName,
                     const QString &editName,
                     const QString &deleteName,
                     const QString &groupName = QString(),
                     int height = 120);
    // The same controls with the field code of their column, read from the catalogue
    // (0 for a column the form does not code). Pages pass a code only where the control's
    // code is not its column's.
    static int codeOf(const QString &column);
    QLineEdit *
    edit(const QString &name, const QString &column, const QString &caption, int width = 0)
    {
        return edit(name, column, codeOf(column), caption, width);
    }
    QLineEdit *
    integer(const QString &name, const QString &column, const QString &caption, int width = 80)
    {
        return integer(name, column, codeOf(column), caption, width);
    }
    QLineEdit *
    count(const QString &name, const QString &column, const QString &caption, int width = 70)
    {
        return count(name, column, codeOf(column), caption, width);
    }
    QLineEdit *
    readOnly(const QString &name, const QString &column, const QString &caption, int width = 70)
    {
        return readOnly(name, column, codeOf(column), caption, width);
    }
    QPlainTextEdit *
    memo(const QString &name, const QString &column, const QString &caption, int lines = 3)
    {
        return memo(name, column, codeOf(column), caption, lines);
    }
    QCheckBox *check(const QString &name,
                     const QString &column,
                     const QString &caption,
                     rules::MarkKind kind = rules::MarkKind::OfficeCheckBox)
    {
        return check(name, column, codeOf(column), caption, kind);
    }
    QGroupBox *radio(const QString &name,
                     const QString &column,
                     const QString &caption,
                     const QList<RadioBinding::Choice> &choices,
                     int columns = 2)
    {
        return radio(name, column, codeOf(column), caption, choices, columns);
    }
    QGroupBox *yesNo(const QString &name, const QString &column, const QString &caption)
    {
        return yesNo(name, column, codeOf(column), caption);
    }
    QComboBox *lookup(const QString &name,
                      const QString &column,
                      const QString &caption,
                      storage::ListModel *list,
                      const QString &keyField,
                      const QString &nameField,
                      bool clearOnDelete = true,
                      int width = 220)
    {
        return lookup(
            name, column, codeOf(column), caption, list, keyField, nameField, clearOnDelete, width);
    }

    QLabel *note(const QString &text);
    // Anything made by hand, with an optional caption.
    void add(QWidget *widget, const QString &caption = QString());
    // Leaves the rest of the line or column empty.
    void stretch();

private:
    struct Level
    {
        QWidget *widget;
        QVBoxLayout *layout;
    };
    storage::RowSource *rowsFor(const QString &column) const;
    void place(QWidget *control, const QString &caption, bool stretchControl);
    QBoxLayout *line();

    TfmDeklaraciaEdit &m_editor;
    int m_page;
    std::vector<Level> m_levels;
    QHBoxLayout *m_row = nullptr;
    int m_captionWidth = 230;
};

} // namespace kesp::declaration
