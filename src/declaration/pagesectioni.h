#pragma once

#include <QObject>
#include <QPointer>

class QCheckBox;
class QLineEdit;

namespace kesp::declaration {

class PlaceLookups;
class TfmDeklaraciaEdit;

// Page "Раздел І" of the declaration editor: the year, the employer (a legal entity or a
// natural person), its identifier and seat, the managers and representatives, the contact
// person. The employer's name and the parts of its seat are offered to section II.
class PageSectionI : public QObject
{
    Q_OBJECT
public:
    static constexpr int Page = 0;

    explicit PageSectionI(TfmDeklaraciaEdit &editor);

    PlaceLookups *places() const { return m_places; }

private:
    void build();
    void connectNames();
    void updateNameStates();
    void connectSeatCopy();
    void copyToSectionII(const QString &from,
                         const QString &to,
                         int fieldCode,
                         const QString &sameColumnI = QString(),
                         const QString &sameColumnII = QString());

    TfmDeklaraciaEdit &m_editor;
    PlaceLookups *m_places = nullptr;
    QPointer<QLineEdit> m_imeUL;
    QPointer<QLineEdit> m_imenaFL;
    QPointer<QCheckBox> m_chujdenec;
};

void buildSectionIPage(TfmDeklaraciaEdit &editor);

} // namespace kesp::declaration
