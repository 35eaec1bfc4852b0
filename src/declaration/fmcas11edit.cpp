#include "fmcas11edit.h"

namespace kesp::declaration {

namespace {
TfmCAS11Edit *g_form = nullptr;
}

TfmCAS11Edit *fmCAS11Edit()
{
    return g_form;
}

TfmCAS11Edit::TfmCAS11Edit(QWidget *parent)
    : CasEditDialog(QStringLiteral("P2_11_CAS"), parent)
{
    setObjectName(QStringLiteral("fmCAS11Edit"));
    g_form = this;
}

TfmCAS11Edit::~TfmCAS11Edit()
{
    if (g_form == this)
        g_form = nullptr;
}

} // namespace kesp::declaration
