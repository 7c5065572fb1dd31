#pragma once

// The single-document template: it makes the one document, frame and view of
// the program from their run-time classes and reuses them for every New and
// Open.

#include "CmdTarget.h"

#include <QString>

#include <memory>
#include <system_error>

class CDocument;
class CFrameWnd;

// Why the shell could not open a document, beside the document's own reasons.
enum class ShellError {
    WindowNotCreated = 1, // the frame or its view could not be made: nothing shown
    NewDocumentRefused,   // the document would not start empty
};
std::error_code make_error_code(ShellError error);
template <> struct std::is_error_code_enum<ShellError> : std::true_type {};

class CSingleDocTemplate : public CObject {
  public:
    // The fields of the template's string resource, in their order.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    CSingleDocTemplate(UINT nIDResource, CRuntimeClass docClass, CRuntimeClass frameClass,
                       CRuntimeClass viewClass);
    ~CSingleDocTemplate() override;

    QString GetDocString(DocStringIndex index) const;

    // An empty path makes the document new and empty; otherwise the file is
    // opened into it. The document, frame and view are made on the first
    // call. Null when that fails or the file cannot be opened; then `error`
    // tells why (the document's reason, or ShellError::WindowNotCreated) and
    // the document is left empty and untitled. A frame made by this call
    // goes again when it fails.
    CDocument* OpenDocumentFile(const QString& pathName, std::error_code& error);

    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }

  private:
    bool CreateDocumentAndFrame();
    // The title of a document that has no file yet.
    void SetDefaultTitle(CDocument* document) const;

    const UINT m_nIDResource;
    const CRuntimeClass m_docClass;
    const CRuntimeClass m_frameClass;
    const CRuntimeClass m_viewClass;
    std::unique_ptr<CDocument> m_pOnlyDoc;
    std::unique_ptr<CFrameWnd> m_pFrame;
};
