#pragma once
// `TNtkoPdfSignFrm`: the signing form. It downloads a server PDF under a new name of its own
// in the private temporary folder, locks it, opens it in the signing control for the user to
// sign, saves and uploads the signed file as a new version, or closes it and releases the
// lock on cancel. A form freed while its file is still locked (opened and neither uploaded nor
// cancelled) releases the lock as it goes.

#include "documents/editing/fileeditbase.h"

#include <QDateTime>
#include <optional>

namespace ov::control {

class TOfficeControl;

// A new empty file for a signing copy: the time as month, day, hour, minute, second and the
// milliseconds without leading zeros, ".pdf"; a taken name gets "_2", "_3" ... before ".pdf".
std::optional<QString> CreateSignCopy(const QString& folder,
                                      const QDateTime& when = QDateTime::currentDateTime());

class TNtkoPdfSignFrm : public TFileEditBaseFrm {
    Q_OBJECT
public:
    explicit TNtkoPdfSignFrm(QWidget* parent = nullptr);
    ~TNtkoPdfSignFrm() override;

    // Raises when no signing control is installed or it refuses the set-up.
    void NtkoPdfSignInit(const QString& Value1, const QString& Value2);
    void NtkoPdfSvrDoLogin(const QString& ServerUrl, const QString& UserName,
                           const QString& Password);
    void NtkoPdfOpenFile(const QString& FileKey, const QString& FileName);
    bool NtkoPdfSignedFileUplaod();
    void CancelEdit() override;
    void CloseOleObject() override;

    TOfficeControl* Control() const { return PNtkoPdf; }
    bool FileLocked() const { return FLocked; }

private:
    void OpenFile(const QString& FileKey);
    void UploadFile();
    void ReleaseLock();
    void RemoveCopy();
    [[noreturn]] void NoControl() const;

    bool FCloseAll = false;
    bool FLocked = false;  // downloaded and locked, neither uploaded nor released
    TOfficeControl* PNtkoPdf = nullptr;
};

}  // namespace ov::control
