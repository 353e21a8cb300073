#pragma once
// The previewers of formats that only a reader control of their maker shows: CEB e-books
// (TCebPreviewFrm, cebpreview.h), CAJ and KDH papers (TCajPreviewFrm), CAXA drawings
// (TExbPreviewFrm) and GWD drawings (TGwdPreviewFrm).
//
// No such control exists on this system: the probe answers "not installed" and each form shows
// its own text in the hint window (nothing is downloaded). Should a control be registered all
// the same, the downloaded copy cannot be shown either: the form shows the same text and deals
// with the copy as its family does.

#include "documents/preview/previewbase.h"

#include <QString>

namespace ov {

// One member of the family: the key its control registers below HKEY_CLASSES_ROOT, the version
// text the probe gives when it is there, and the text shown when it is not.
struct ReaderSpec {
    const char16_t* probeKey;
    const char16_t* version;
    const char16_t* missingCn;
    const char16_t* missingEn;
};

class TReaderPreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    TReaderPreviewFrm(const ReaderSpec& spec, QWidget* parent, Qt::WindowFlags flags);
    ~TReaderPreviewFrm() override;

    // The control's key is registered: the version text is kept; otherwise the missing text.
    bool CheckViewer() override;
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    // Loads a local file as a downloaded one (for trying the previewer by hand).
    void Test(const QString& FileName) { LoadLocalFile(0, FileName); }

    QString Version() const { return m_version; }
    QString MissingText() const;
    QString FileName() const { return FFileName; }

protected:
    // When the copy goes: right after the load (CEB), with the form (CAJ), or when the
    // viewer is closed (CAXA, GWD).
    enum class CopyLife { AfterLoad, UntilDestroyed, UntilClosed };
    void SetCopyLife(CopyLife life) { m_copyLife = life; }

    QString FFileName;

private:
    ReaderSpec m_spec;
    QString m_version;
    CopyLife m_copyLife = CopyLife::UntilClosed;
};

class TCajPreviewFrm : public TReaderPreviewFrm {
    Q_OBJECT
public:
    explicit TCajPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

class TExbPreviewFrm : public TReaderPreviewFrm {
    Q_OBJECT
public:
    explicit TExbPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

class TGwdPreviewFrm : public TReaderPreviewFrm {
    Q_OBJECT
public:
    explicit TGwdPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

}  // namespace ov
