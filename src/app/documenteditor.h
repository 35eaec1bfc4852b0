#pragma once

namespace kesp::app {

// What the register needs of an editor of one kind of document.
class DocumentEditor
{
public:
    virtual ~DocumentEditor() = default;
    // The remembered province and municipality codes of sections I and II (-1: none).
    virtual void setPlaces(int iOblast, int iiOblast, int iObshtina, int iiObshtina) = 0;
    // Creates a document and edits it; its code, or -1 when nothing was created.
    virtual int AddItem() = 0;
    // Edits a document; true when it was saved.
    virtual bool EditItem(int code) = 0;
    // Asks and deletes; throws when the database refuses.
    virtual void DeleteItem(int code) = 0;
};

} // namespace kesp::app
