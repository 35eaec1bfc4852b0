#pragma once

#include "casedit.h"

namespace kesp::declaration {

// An identified carcinogen or mutagen (appendix 2, item 11).
class TfmCAS11Edit : public CasEditDialog
{
    Q_OBJECT
public:
    explicit TfmCAS11Edit(QWidget *parent = nullptr);
    ~TfmCAS11Edit() override;
};

TfmCAS11Edit *fmCAS11Edit();

} // namespace kesp::declaration
