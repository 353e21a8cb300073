#pragma once
// The base form of every previewer of server documents (and, through the online-edit base
// form, of the editors). It holds the document's options and the preview sequence, and owns
// the parts that every previewer shares, each a module of its own in this folder:
//  - the preview download into a private temporary copy (previewdownload.h), handed to the
//    previewer's viewer;
//  - the print policy: the right to print, the virtual-printer rule and the reports of prints
//    and print previews to the server (previewprintpolicy.h);
//  - the input restrictions of a read-only document: keys, right clicks, the clipboard guard
//    (previewinput.h);
//  - the probes of installed office suites, the office-viewer control and the PDF reader
//    (previewprobes.h).
// It shows progress and errors in the shared wait/error window (TPreViewHint). Its operations
// below keep their names for the previewers and their creators and hand the work to those
// parts.
//
// Each previewer overrides CheckViewer (is its viewer there) and LoadLocalFile (create the
// viewer and load the file). The form works as a top-level window (no parent, or Qt::Window in
// the flags) and as a child widget of a container (a parent and no window flag; EmbedInto).
//
// What the creator does, in this order:
//  1. creates the form and sets PreViewHintFrm (every progress and error text goes there);
//  2. SetHashPs, SetDocReadonly, SetCanPrint, SetSelectPrinter, SetIsCheckVirtualPrint from the
//     document options, and SetAllowCtrlC; sets the caption;
//  3. shows the form and calls ShowHTML(FileType, FileVer, FileKey);
//  4. calls ClientMax2;
//  5. calls CloseOleObject before it frees the form.
//
// ShowHTML and PreviewEx do not block: the check of the viewer follows 100 ms later from the
// event loop, and the download runs on a worker thread; LoadLocalFile (or the error hint)
// follows on the user-interface thread, and previewFinished is emitted after it. A download
// that fails deletes its copy (LocalFilename then names no file); a form freed (or given
// another PreviewEx) before its copy was loaded stops the download and deletes the copy too.
// A loaded copy is the previewer's to delete (after its viewer has read it, or in
// CloseOleObject).

#include "core/types.h"
#include "documents/preview/previewhint.h"
#include "documents/preview/previewinput.h"
#include "documents/preview/previewkinds.h"
#include "documents/preview/previewprintpolicy.h"
#include "documents/preview/previewprobes.h"
#include "platform/widgets/documentviewer.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace ov {

struct PreviewDownloadState;

// The first widget below Parent (all levels, in the order Qt keeps them) whose line
// "<address>--<class name>--<window title>" contains Text after its first character; null
// when there is none. Finds a viewer's inner widget by its class name.
QWidget* FindChildWindow(QWidget* Parent, const QString& Text);

class TPreviewBaseFrm : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewBaseFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TPreviewBaseFrm() override;  // stops a running download, removes the restrictions

    // Makes the form a borderless child of the container that fills it.
    void EmbedInto(QWidget* container);

    // ---- virtual operations, in the order of the base list ----
    // Whether the previewer's viewer is installed; a previewer that answers false has already
    // shown its hint. The base answers false.
    virtual bool CheckViewer();
    // Creates the viewer and loads the local copy. The base does nothing.
    virtual void LoadLocalFile(int FileType, const QString& FileName);
    // The preview sequence: after 100 ms, when CheckViewer answers true, PreviewEx.
    virtual void ShowHTML(int FileType, int FileVer, std::int64_t FileKey);
    // Closes the viewer (most previewers delete the local copy here). The base does nothing.
    virtual void CloseOleObject();
    // Prints the document. The base prints nothing and therefore reports nothing; previewers
    // that print call ReportPrint (or PrintWithViewer) once their print has started.
    virtual void Print(const QString& EffCode);
    // Shows the print preview. The base shows nothing and reports nothing; previewers call
    // ReportPrintPreview once their preview is shown.
    virtual void PrintPreview();
    virtual void PrintPreviewExit();
    virtual void TrackRevisions(bool VBool);
    virtual void ShowRevisions(bool VBool);
    virtual void AcceptRevisions();
    virtual void SaveAs(const QString& Fn);
    virtual void ClientMaxSize(float IeVer);
    virtual void ClientMax2();

    // ---- properties ----
    bool DocReadonly() const { return FDocReadonly; }
    void SetDocReadonly(bool value) { FDocReadonly = value; }
    bool CanPrint() const { return FPrintPolicy.canPrint(); }
    void SetCanPrint(bool value) { FPrintPolicy.setCanPrint(value); }
    bool SelectPrinter() const { return FPrintPolicy.selectPrinter(); }
    void SetSelectPrinter(bool value) { FPrintPolicy.setSelectPrinter(value); }
    bool IsCheckVirtualPrint() const { return FPrintPolicy.checkVirtualPrint(); }
    void SetIsCheckVirtualPrint(bool value) { FPrintPolicy.setCheckVirtualPrint(value); }
    QString LocalFilename() const { return FLocalFileName; }
    void SetHashPs(const QString& value) { FHashPs = value; }

    // The shared wait/error window: set by the creator, never owned or freed by the form.
    QPointer<TPreViewHint> PreViewHintFrm;

    // ---- preview and download ----
    // Downloads the file into a new temporary copy (named by the time stamp, in the private
    // temporary folder) and then loads it (LoadLocalFile) or shows the error. Does not block.
    void PreviewEx(int FileType, int FileVer, std::int64_t FileKey);
    // Whether a download of PreviewEx is running.
    bool IsDownloading() const;
    // Downloads into a new temporary copy with the extension FileExt (which carries its own
    // dot); DestPath is that copy. Blocks the caller, not the user interface (the event loop
    // runs meanwhile). On failure the copy is gone and ErrorStr says why.
    bool DownloadFile2(std::int64_t FileKey, int FileVer, const QString& FileExt, QString& DestPath,
                       QString& ErrorStr);

    // ---- input restrictions ----
    // Guard the viewer widget (null: the whole form) against the keys and right clicks that
    // would copy, save or print a read-only document; the guard stays until the form goes.
    void AddKeyboardHook(QWidget* target = nullptr);
    void AddMouseHook(QWidget* target = nullptr);

    // ---- probes ----
    TOfficeViewerType GetOfficeViewerType();
    bool ExistEdOfficeViewer();
    bool CreateNewOfficeObject(std::uint8_t Tp);
    QString GetOfficeVer(std::uint8_t Tp, bool& IsExistMsoffice);
    static QString GetOfficeVer2(std::uint8_t Tp);
    QString WpsVer(std::uint8_t Tp);

    // ---- printers ----
    bool DefaultPrinterIsVirtual() const;
    bool IsExistVirtualPrinter() const;
    static bool HasVirtualPrinter();
    static bool IsDefaultPrinterVirtual();

    // ---- settings the form took at construction ----
    QString Root() const { return FRoot; }
    QString ServerHost() const { return FServerHost; }
    int ServerPort() const { return FServerPort; }
    bool IsSSL() const { return FIsSSL; }
    QString UserIdStr() const { return FUserIdStr; }
    THS_Language Language() const { return FHS_Language; }
    std::int64_t FileId() const { return FFileId; }

signals:
    // After PreviewEx: the copy was loaded (LoadLocalFile ran) or the error is shown.
    void previewFinished(bool loaded);

protected:
    // The preview download into DestPath (blocking the caller, not the user interface): true
    // exactly when the server's status was 10 and the file arrived whole. On failure ErrorStr
    // holds the client's last error text and DestPath has been deleted.
    bool DownloadPreviewFile(int FileVer, const QString& DestPath, QString& ErrorStr,
                             std::int64_t FileKey);
    // Reports an operation on the document (OPR_Print, OPR_PrintPreview) to the server on a
    // connection of its own, without waiting; the reply is not looked at, failures are silent.
    void WriteOprLog(std::uint8_t Opr);
    // What previewers call once a print has started / a print preview is shown.
    void ReportPrint();
    void ReportPrintPreview();
    // A read-only document must not go to a virtual printer: with SelectPrinter any installed
    // virtual printer forbids printing, without it a virtual default printer (both only while
    // IsCheckVirtualPrint). Previewers then show the virtual-printer message and print nothing.
    bool VirtualPrinterForbidden() const;
    // Prints with the built-in viewer as the properties say (the print dialog when
    // SelectPrinter, else the default printer) and reports the print when it went to the
    // printer. NoDocument without a viewer or a document; Refused without CanPrint or when
    // VirtualPrinterForbidden (nothing printed or reported); else the viewer's result.
    platform::DocumentViewer::PrintResult PrintWithViewer(platform::DocumentViewer* viewer);

    TOfficePlatformType GetOfficePlatform(std::uint8_t Tp);
    bool CheckOfficeViewer();
    // Whether a PDF add-in of the spreadsheet program is registered that breaks loading; when
    // it is, the message is shown.
    void CheckFoxitExcelAddin(bool& Found);
    void GetAcrobatVersion(QString& Version, QString& TypeLibVer);
    // When the clipboard holds anything, its content is replaced by WLS_ClearClipboard.
    void ClearClipboard();
    // Which office program put the clipboard's content there: 0 unknown, 1 Word, 2 Excel,
    // 3 PowerPoint, 4 WPS writer, 5 WPS spreadsheet, 6 WPS presentation, 7 other.
    std::uint8_t GetClipboardSource();
    static bool IsWordFileType(int FileType) { return ov::IsWordFileType(FileType); }
    static bool IsExcelFileType(int FileType) { return ov::IsExcelFileType(FileType); }
    static bool IsPowerPointFileType(int FileType) { return ov::IsPowerPointFileType(FileType); }

    // Drops every restriction this form added.
    void RemoveHooks();
    // Shows a text in the hint window (when there is one).
    void ShowHintText(const QString& text, int pictureNum);
    // Shows a message box (error icon) with the caption WLS_Hint; tests replace it.
    virtual void ShowErrorMessage(const QString& text);

    // The texts of the form in its language (Chinese for HSL_CN, English otherwise).
    QString WLS_Hint, WLS_CancelPrint, WLS_NeedWPS, WLS_Need2007, WLS_Not_Complete, WLS_NeedXP,
        WLS_RunAsAdmin, WLS_ClearClipboard, WLS_FoxitErr1, WLS_FoxitErr2;

    std::int64_t FFileId = 0;  // file key of the previewed document
    QString FRoot;             // folder of temporary copies (ends with "/")
    QString FServerHost;
    QString FHashPs;
    QString FLocalFileName;  // the temporary copy
    QString FUserIdStr;      // the enciphered user id
    int FServerPort = 0;
    bool FIsSSL = false;
    bool FDocReadonly = false;
    THS_Language FHS_Language = HSL_NONE;

private:
    void LoadLangStrings();
    void StartPreview(int FileType, int FileVer, std::int64_t FileKey);
    void FinishPreview(int FileType, bool ok, const QString& errorStr);
    void StopDownload();

    PreviewServer Server() const;

    PreviewPrintPolicy FPrintPolicy;
    PreviewInputRestrictions FInput;
    PreviewProbes FProbes;
    std::shared_ptr<PreviewDownloadState> FDownload;  // the running preview download
};

}  // namespace ov
