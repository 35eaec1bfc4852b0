#include "editoradapters.h"

#include "detailrowdialog.h"
#include "fmcas11edit.h"
#include "fmcas4edit.h"
#include "fmdeklaracii.h"
#include "fmdeklaraciaedit.h"
#include "fmeik.h"
#include "fminfobutontext.h"
#include "fmkidedit.h"
#include "fmpochivkiedit.h"
#include "fmpodrazdelenia.h"
#include "fmupravlavashtedit.h"

#include <memory>

namespace kesp::app {

void DeclarationEditorAdapter::setPlaces(int iOblast, int iiOblast, int iObshtina, int iiObshtina)
{
    m_editor.viIOblast = iOblast;
    m_editor.viIIOblast = iiOblast;
    m_editor.viIObshtina = iObshtina;
    m_editor.viIIObshtina = iiObshtina;
}

int DeclarationEditorAdapter::AddItem()
{
    int code = -1;
    m_editor.AddItem(code);
    return code;
}

bool DeclarationEditorAdapter::EditItem(int code)
{
    return m_editor.EditItem(code);
}

void DeclarationEditorAdapter::DeleteItem(int code)
{
    m_editor.DeleteItem(code);
}

void connectStartupObjects()
{
    using namespace declaration;
    const auto openInfo = [](int code) {
        if (registers::TfmInfoButonText *info = registers::fmInfoButonText())
            info->OpenInfoButon(code);
    };
    DetailRowDialog::setInfoHook(openInfo);

    TfmDeklaraciaEdit *editor = fmDeklaraciaEdit();
    if (!editor)
        return;
    editor->infoHook = openInfo;
    editor->importHook = [](int newCode) {
        return fmEIK() ? fmEIK()->ImportDeklaracia(newCode) : false;
    };
    if (fmUpravlavashtEdit())
        editor->setRowDialog(QStringLiteral("qryUpravliavashti"), fmUpravlavashtEdit());
    if (fmKidEdit())
        editor->setRowDialog(QStringLiteral("qryKID"), fmKidEdit());
    if (fmPodrazdelenia())
        editor->setRowDialog(QStringLiteral("qryPodrazdelenia"), fmPodrazdelenia());
    if (fmPochivkiEdit())
        editor->setRowDialog(QStringLiteral("qryPochivki"), fmPochivkiEdit());
    if (fmCAS4Edit())
        editor->setRowDialog(QStringLiteral("qryHimAg"), fmCAS4Edit());
    if (fmCAS11Edit())
        editor->setRowDialog(QStringLiteral("qryMuta"), fmCAS11Edit());

    if (TfmDeklaracii *main = fmDeklaracii()) {
        // Lives as long as the process, like the objects it joins.
        static std::unique_ptr<DeclarationEditorAdapter> adapter;
        adapter = std::make_unique<DeclarationEditorAdapter>(*editor);
        main->setDeclarationEditor(adapter.get(), [] { return fmEIK() ? fmEIK()->SelectDocument() : 0; });
    }
}

} // namespace kesp::app
