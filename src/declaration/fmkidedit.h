#pragma once

#include "detailrowdialog.h"

#include <functional>

namespace kesp::storage {
class ListModel;
}

namespace kesp::declaration {

class RegisterCombo;

// An economic activity of the enterprise (section II, item 7), chosen from the
// classifier; only classes (four-digit codes such as "41.20") are accepted.
class TfmKidEdit : public DetailRowDialog
{
    Q_OBJECT
public:
    explicit TfmKidEdit(QWidget *parent = nullptr);
    ~TfmKidEdit() override;

    // Whether the declaration's appendix 1 is marked as filled in. By default the stored
    // value of the declaration's second row; the editor may point it at its own row.
    using Appendix1Filled = std::function<bool(int declarationCode)>;
    static void setAppendix1Filled(Appendix1Filled source);

    // Classes of construction, for which appendix 1 is due.
    static const QStringList &constructionClasses();

    RegisterCombo *lcbKod() const { return m_lcbKod; }
    RegisterCombo *lcbNaimenovanie() const { return m_lcbNaimenovanie; }

protected:
    void beforeOpen() override;
    void newRow(int declarationCode) override;
    void ownChecks() override;
    void columnChanged(const QString &column, const QVariant &value) override;
    QWidget *startControl() const override;

private:
    bool appendix1Filled(int declarationCode) const;

    storage::ListModel *m_kid;
    RegisterCombo *m_lcbKod;
    RegisterCombo *m_lcbNaimenovanie;
};

TfmKidEdit *fmKidEdit();

} // namespace kesp::declaration
