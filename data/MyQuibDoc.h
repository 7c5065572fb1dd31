#pragma once

// The document's window side: New, Open and Import as the framework calls
// them, on the datasets of LatticeDocument. Nothing is ever saved.

#include "Document.h"
#include "LatticeDocument.h"

class CMyQuibDoc : public CDocument, public LatticeDocument {
  public:
    CMyQuibDoc();

    void Serialize(CArchive& ar) override;
    bool OnNewDocument() override;
    OpenResult OnOpenDocument(const QString& pathName) override;

    void OnImport();
    void OnUpdateImport(CCmdUI* cmdUI);
};
