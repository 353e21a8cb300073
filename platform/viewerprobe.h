#pragma once
// Answers to "is this outside viewer installed, and which version": the previewers ask whether
// a control's class or type library is registered (a key below HKEY_CLASSES_ROOT) and read the
// version of the reader. On this system the built-in document viewer answers for the PDF reader
// control that the previewers prefer; readers that have no counterpart here answer "not
// installed", so their previewer shows its missing-viewer text; every other class is looked up
// in the registry store. Tests put a scripted probe in place of the system's.

#include <QString>
#include <QStringList>
#include <map>
#include <memory>

namespace ov::platform {

// Class ids (with braces) of the PDF reader controls and type libraries the previewers probe.
inline constexpr char16_t kPdfReaderClassId[] = u"{CA8A9780-280D-11CF-A24D-444553540000}";
inline constexpr char16_t kPdfReaderTypeLib7[] = u"{05BFD3F1-6319-4F30-B752-C7A22889BCC4}";
inline constexpr char16_t kPdfReaderTypeLib5[] = u"{CA8A9783-280D-11CF-A24D-444553540000}";
inline constexpr char16_t kFoxitReaderClassId[] = u"{9A9F603B-51A8-4630-AE99-4BBF01675575}";
inline constexpr char16_t kSursenReaderClassId[] = u"{34E23F0A-1F7A-423B-826A-BB780154357D}";

class ViewerProbe {
public:
    virtual ~ViewerProbe() = default;
    // Whether the key exists below HKEY_CLASSES_ROOT ("CLSID\{...}\Control", "TypeLib\{...}",
    // a program id). Case-insensitive; a leading "\" is optional.
    virtual bool classKeyExists(const QString& key) const = 0;
    // The version text ("a.b.c.d") of the reader behind the class id; empty when none.
    virtual QString readerVersion(const QString& classId) const = 0;
};

// This system: the built-in viewer, readers without a counterpart, then the registry store.
class SystemViewerProbe : public ViewerProbe {
public:
    bool classKeyExists(const QString& key) const override;
    QString readerVersion(const QString& classId) const override;
    // The version text the built-in viewer gives as its reader version.
    static QString builtInViewerVersion();
};

// Answers what the test sets; everything else is "not installed". Records the keys asked.
class ScriptedViewerProbe : public ViewerProbe {
public:
    void setKey(const QString& key, bool exists = true);
    void setReaderVersion(const QString& classId, const QString& version);
    bool classKeyExists(const QString& key) const override;
    QString readerVersion(const QString& classId) const override;
    const QStringList& askedKeys() const { return m_asked; }

private:
    std::map<QString, bool> m_keys;
    std::map<QString, QString> m_versions;
    mutable QStringList m_asked;
};

// The probe the program asks (the system's unless a test has set another). Set it on the
// user-interface thread before other threads ask.
const ViewerProbe& viewerProbe();
// Puts a probe in place of the system's; nullptr goes back to the system's.
void setViewerProbe(std::unique_ptr<ViewerProbe> probe);

// Which PDF reader control is there: 1 the preferred reader (its control class, or the twin
// under "Wow6432Node\"), else 3 the Sursen reader (control class), else 2 the Foxit reader
// (class without "\Control"), else 0.
int pdfViewerType(const ViewerProbe& probe);

// The preferred PDF reader's versions: `typeLibVersion` is "V7" or "V5" after the registered
// type library (empty when neither); `version` is the reader's version text, empty when unknown.
struct PdfReaderVersion {
    QString version;
    QString typeLibVersion;
};
PdfReaderVersion pdfReaderVersion(const ViewerProbe& probe);

// The Sursen reader's control class is registered (or its "Wow6432Node\" twin).
bool sursenReaderInstalled(const ViewerProbe& probe);

}  // namespace ov::platform
