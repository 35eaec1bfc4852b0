#pragma once

#include "documenteditor.h"

namespace kesp::declaration {
class TfmDeklaraciaEdit;
}

namespace kesp::app {

// The declaration editor as the register sees it.
class DeclarationEditorAdapter : public DocumentEditor
{
public:
    explicit DeclarationEditorAdapter(declaration::TfmDeklaraciaEdit &editor)
        : m_editor(editor)
    {}
    void setPlaces(int iOblast, int iiOblast, int iObshtina, int iiObshtina) override;
    int AddItem() override;
    bool EditItem(int code) override;
    void DeleteItem(int code) override;

private:
    declaration::TfmDeklaraciaEdit &m_editor;
};

// Points the objects made at start-up at each other: the editor at its row dialogs, the
// carry-over and the help window; the register at the editor and the new-document dialog.
void connectStartupObjects();

} // namespace kesp::app
