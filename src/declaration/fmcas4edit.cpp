#include "fmcas4edit.h"

namespace kesp::declaration {

namespace {
TfmCAS4Edit *g_form = nullptr;
}

TfmCAS4Edit *fmCAS4Edit()
{
    return g_form;
}

TfmCAS4Edit::TfmCAS4Edit(QWidget *parent)
    : CasEditDialog(QStringLiteral("P2_4_CAS"), parent)
{
    setObjectName(QStringLiteral("fmCAS4Edit"));
    g_form = this;
}

TfmCAS4Edit::~TfmCAS4Edit()
{
    if (g_form == this)
        g_form = nullptr;
}

} // namespace kesp::declaration
