#pragma once

#include "casedit.h"

namespace kesp::declaration {

// An identified dangerous chemical agent (appendix 2, item 4).
class TfmCAS4Edit : public CasEditDialog
{
    Q_OBJECT
public:
    explicit TfmCAS4Edit(QWidget *parent = nullptr);
    ~TfmCAS4Edit() override;
};

TfmCAS4Edit *fmCAS4Edit();

} // namespace kesp::declaration
