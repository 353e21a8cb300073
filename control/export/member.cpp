// The export members: the list dialog modal, the log dialog shown and left to the user.

#include "control/export/filelistfrm.h"
#include "control/export/logexportfrm.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

std::int64_t NumberOr0(const QString& text) {
    return text.trimmed().toLongLong();  // 0 when not a number
}

void RunList(TQuexFormX& self, const std::function<void(TExportFileListFrm&)>& init) {
    QPointer<TExportFileListFrm> dialog = new TExportFileListFrm(self.FLanguage, &self);
    init(*dialog);
    dialog->exec();  // frees itself when closed
}

}  // namespace

namespace members {

QString ExportFileList(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    RunList(self, [&](TExportFileListFrm& d) {
        d.Init(std::int32_t(NumberOr0(OwnerId)), u"1"_s, NumberOr0(FolderId));
    });
    return u"ok"_s;
}

QString ExportFolderList(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    RunList(self, [&](TExportFileListFrm& d) {
        d.Init(std::int32_t(NumberOr0(OwnerId)), u"2"_s, NumberOr0(FolderId));
    });
    return u"ok"_s;
}

QString ExportUsersList(TQuexFormX& self) {
    RunList(self, [](TExportFileListFrm& d) { d.Init(0, u"3"_s, 0); });
    return u"ok"_s;
}

void ExportFilePrtList(TQuexFormX& self, const QString& Params) {
    RunList(self, [&](TExportFileListFrm& d) { d.Init2(Params); });
}

QString LogExport(TQuexFormX& self, const QString& LogCond) {
    auto* dialog = new TLogExportFrm(self.FLanguage, &self);
    dialog->Init(LogCond);
    dialog->show();
    return u"ok"_s;
}

}  // namespace members

}  // namespace ov::control
