#include "datasetroutines.h"

#include "columncatalogue.h"
#include "dialogs.h"
#include "errors.h"
#include "listmodel.h"
#include "rowsource.h"

#include <QDateTime>

namespace kesp::storage {

void TrimStringFields(RowSource &rows)
{
    for (const QString &field : rows.fieldNames()) {
        const ColumnDef *c = ColumnCatalogue::find(rows.table(), field);
        if (!c || c->type != ColumnType::Text || !rows.isWritable(field))
            continue;
        const QVariant v = rows.value(field);
        if (v.isNull())
            continue;
        const QString text = v.toString();
        qsizetype end = text.size();
        while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
            --end;
        if (end == 0)
            rows.setValue(field, QVariant());
        else if (end != text.size())
            rows.setValue(field, text.left(end));
    }
}

void CheckRequiredFields(RowSource &rows)
{
    TrimStringFields(rows);
    const auto required = rows.requiredColumns();
    for (const QString &field : rows.fieldNames()) {
        for (const auto &[column, label] : required) {
            if (column.compare(field, Qt::CaseInsensitive) != 0)
                continue;
            const QVariant v = rows.value(field);
            if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()))
                throw ValueError(QStringLiteral("Полето '%1' трябва да има стойност!").arg(label));
        }
    }
}

void RefreshQuery(RowSource &rows)
{
    rows.close();
    rows.open();
}

void RefreshQuery(ListModel &list)
{
    list.refresh();
}

bool IsDataSetEmpty(const RowSource &rows)
{
    return rows.isEmpty();
}

bool IsDataSetEmpty(const ListModel &list)
{
    return list.isEmpty();
}

void SetParamValue(RowSource &rows, const QString &name, const QVariant &value)
{
    rows.setParam(name, value);
}

void SetParamValue(ListModel &list, const QString &name, const QVariant &value)
{
    list.setParam(name, value);
}

void ShowFieldValues(const RowSource &rows, const QString &title)
{
    QString lines;
    int count = 0;
    auto show = [&] {
        dialogs().message(Dialogs::Icon::Information,
                          title + QStringLiteral(" :\n\r\n\r") + lines,
                          Dialogs::Ok);
        lines.clear();
        count = 0;
    };
    for (const QString &field : rows.fieldNames()) {
        const QVariant v = rows.value(field);
        QString text;
        if (v.isNull())
            text = QStringLiteral("Null");
        else if (v.typeId() == QMetaType::QDateTime)
            text = v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        else if (v.typeId() == QMetaType::Bool)
            text = v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        else
            text = v.toString();
        lines += field + QStringLiteral(" = ") + text + QStringLiteral("\n\r");
        if (++count == 40)
            show();
    }
    show();
}

} // namespace kesp::storage
