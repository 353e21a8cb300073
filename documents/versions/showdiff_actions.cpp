// The comparison window's menu: upload of local files, the latest server versions, and
// check-out, check-in and cancel through the check-out dialog.

#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/hash.h"
#include "core/robottcpclient.h"
#include "core/safejoin.h"
#include "documents/versions/showdifffrm.h"
#include "documents/versions/versioncontrolfrm.h"
#include "documents/versions/versionsteps.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct TUploaded {
    std::uint8_t Code = 0;
    std::int64_t Key = 0;
    QString Error;
};

TTidyFile LocalRecord(const QString& path) {
    TTidyFile file;
    file.Path = path;
    file.PathHash = HashText64(path);
    file.NameHash = HashText32(path);
    TFileOperator().GetFileSizeAndModifyTime(path, file.Size, file.ModifyDT);
    file.Kind = TFileOperator::GetFileExtType2(path);
    return file;
}

bool IsUsableName(const std::optional<TFileItem>& item) {
    return item && !item->Name.trimmed().isEmpty() && item->Name != u".."_s;
}

}  // namespace

void TShowDiffFrm::UploadSelected() {
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_NotSel, false);
        return;
    }
    UploadNext(rows, false);
}

void TShowDiffFrm::UploadNext(QList<int> rows, bool reload) {
    if (rows.isEmpty()) {
        if (reload) ReloadLists();
        emit actionDone();
        return;
    }
    const int i = rows.takeFirst();
    const TDiffRow& row = m_rows[i];
    const auto next = [this, rows, reload] { UploadNext(rows, reload); };
    if (!IsUsableName(row.Local)) return next();
    const QString name = row.Local->Name;
    if (!row.Server || row.Server->Name.trimmed().isEmpty()) return UploadOne(i, name, next);
    if (!row.Server->CheckOutUser.trimmed().isEmpty()) {
        Log(EdtLocalPath->text() + name + u": "_s + WLS_UseCheckin);
        return next();
    }
    if (!Ui.Ask(this, WLS_Hint, WLS_NoChecked)) return next();
    UploadOne(i, name, [this, rows] { UploadNext(rows, true); });
}

void TShowDiffFrm::UploadOne(int index, const QString& name, std::function<void()> next) {
    const TDiffRow row = m_rows[index];
    if (row.Server && row.Local &&
        row.Server->ModifyTime - row.Local->ModifyTime > DiffTimeThreshold &&
        !Ui.Ask(this, WLS_Hint, WLS_ReplaceService))
        return next();
    const QString path = EdtLocalPath->text() + name;
    const auto local = JoinBelow(EdtLocalPath->text(), name);
    const TServerAccess access = Access;
    m_calls.Run<TUploaded>(
        [access, owner = FOwnerId, folder = FFolderId, file = local.value_or(QString()),
         cancel = m_calls.CancelFlag()] {
            TUploaded r;
            auto client = access.NewClient();
            client->PIsBreak = cancel;
            r.Code = client->UploadFile(owner, QString(), folder, LocalRecord(file), r.Key);
            r.Error = client->GetLastError();
            return r;
        },
        [this, index, name, path, next](const TUploaded& r, const QString& error) {
            if (r.Key > 0 && index < m_rows.size()) {
                TDiffRow& row = m_rows[index];
                row.Server = TFileItem{r.Key, name, QString(), row.Local->ModifyTime, false};
                row.State = DS_Same;
                PaintRow(index);
                Log(path + WLS_UploadOK);
            } else {
                Log(path + u": "_s + (error.isEmpty() ? r.Error : error));
            }
            next();
        });
}

void TShowDiffFrm::LatestSelected() {
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_NotSel, false);
        return;
    }
    LatestNext(rows);
}

void TShowDiffFrm::LatestNext(QList<int> rows) {
    if (rows.isEmpty()) {
        emit actionDone();
        return;
    }
    const int i = rows.takeFirst();
    const TDiffRow row = m_rows[i];
    if (!IsUsableName(row.Server)) return LatestNext(rows);
    if (IsUsableName(row.Local) &&
        row.Server->ModifyTime - row.Local->ModifyTime < -DiffTimeThreshold &&
        !Ui.Ask(this, WLS_Hint, WLS_Replace)) {
        emit actionDone();  // No ends the whole action
        return;
    }
    const auto local = JoinBelow(EdtLocalPath->text(), row.Server->Name);
    if (!local) return LatestNext(rows);
    const TServerAccess access = Access;
    m_calls.Run<TStepResult>(
        [access, key = row.Server->Id, file = *local, cancel = m_calls.CancelFlag()] {
            TStepResult r = FetchKeepingLocal(access, key, file, u"[IsReplace]True[/IsReplace]"_s,
                                              cancel, nullptr);
            if (r.Ok) QFile::remove(file + u".1"_s);
            return r;
        },
        [this, i, rows, file = *local](const TStepResult& r, const QString& error) {
            if (r.Ok && i < m_rows.size()) {
                TDiffRow& row = m_rows[i];
                TFileItem item = row.Local.value_or(TFileItem{0, row.Server->Name, {}, 0, false});
                item.ModifyTime = row.Server->ModifyTime;
                row.Local = item;
                row.State = DS_Same;
                PaintRow(i);
                Log(file + WLS_GetOK);
            } else {
                Log(file + u": "_s + (error.isEmpty() ? r.Error : error));
            }
            LatestNext(rows);
        });
}

void TShowDiffFrm::VersionAction(int action) {
    QStringList keys, names;
    for (int i : SelectedRows()) {
        const auto& server = m_rows[i].Server;
        if (!IsUsableName(server)) continue;
        if (action != 3 && server->CheckOutUser.trimmed().isEmpty()) continue;
        keys.append(QString::number(server->Id));
        names.append(server->Name);
    }
    if (keys.isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_NotSel, false);
        return;
    }
    auto* dialog = new TVersionControlFrm(this);
    dialog->Ui = Ui;
    dialog->Access = Access;
    if (action == 3) dialog->show();
    dialog->Init(keys, names, FIniFilePath);
    if (action == 3) dialog->SetCheckoutPath(EdtLocalPath->text());
    dialog->SetHandle(this);
    if (action == 4) dialog->BathCheckin();
    if (action == 5) dialog->CancelCheckout();
}

}  // namespace ov
