// The web commands that hand their work to the clipboard or to a window.

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

#include "client/webcommands/args.h"
#include "client/webcommands/webmodule.h"
#include "core/paths.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/widgets/smtptestfrm.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool isOfficeEditExt(const QString& ext) {
    static const QStringList exts{u"doc"_s, u"docx"_s, u"xls"_s, u"xlsx"_s, u"xlsm"_s,
                                  u"ppt"_s, u"pptx"_s, u"wps"_s, u"et"_s,   u"dps"_s};
    return exts.contains(ext);
}

}  // namespace

QString TWebModule::DoClipboardCmd(const QString& cmd) {
    QGuiApplication::clipboard()->setText(cmd);
    return {};
}

QString TWebModule::DoEditFile(const QString& cmd) {
    const std::int64_t key = tagInt64(cmd, u"filekey"_s);
    if (key == 0) return u"File parameter error!"_s;
    const QString name = WebFileName(ReadTagValue(cmd, u"filename"_s));
    const QString ext = ExtractFileExtNoDot(name).toLower();
    if (isOfficeEditExt(ext)) return RunEditor(FForms.OfficeEditor, key, name, ext);
    if (ext == u"txt"_s) return RunEditor(FForms.TextEditor, key, name, ext);
    // Any other file is edited by its own program under the online-edit monitor, which the
    // main window's clipboard poll starts with this text.
    QGuiApplication::clipboard()->setText(u"[Key]"_s + QString::number(key) +
                                          u"[/Key][FileName]"_s + name + u"[/FileName]"_s);
    return {};
}

QString TWebModule::RunEditor(const TWebForms::TEditorSlot& editor, std::int64_t key,
                              const QString& name, const QString& ext) {
    if (!editor) return NotAvailable();
    editor(key, name, ext);
    return {};
}

QString TWebModule::DoSetWorkPath(const QString& cmd) {
    if (!FForms.SetWorkPath) return NotAvailable();
    FForms.SetWorkPath(tagInt(cmd, u"folderId"_s));
    return {};
}

QString TWebModule::DoGetNewVer(const QString& cmd) {
    if (!FForms.GetNewVer) return NotAvailable();
    FForms.GetNewVer(tagInt(cmd, u"ownerId"_s), tagInt64(cmd, u"folderId"_s));
    return {};
}

QString TWebModule::DoVersionControl(
    const QString& cmd, const std::function<void(const QStringList&, const QStringList&)>& form) {
    if (!form) return NotAvailable();
    QStringList names = SplitToStrArray(ReadTagValue(cmd, u"fileName"_s), u',');
    for (QString& name : names)
        name = WebFileName(name);
    form(SplitToStrArray(ReadTagValue(cmd, u"fileKeys"_s), u','), names);
    return {};
}

QString TWebModule::DoFolderForm(const QString& cmd,
                                 const std::function<void(std::int32_t, std::int64_t)>& form) {
    if (!form) return NotAvailable();
    form(tagInt(cmd, u"ownerId"_s), tagInt64(cmd, u"folderId"_s));
    return {};
}

QString TWebModule::DoBatchDownload(const QString& cmd) {
    if (!FForms.BatchDownload) return NotAvailable();
    QStringList names = SplitToStrArray(ReadTagValue(cmd, u"names"_s), u'|');
    for (QString& name : names)
        name = WebFileName(name.replace(u"&nbsp;"_s, u" "_s, Qt::CaseInsensitive));
    FForms.BatchDownload(SplitToStrArray(ReadTagValue(cmd, u"keys"_s), u'|'), names);
    return {};
}

QString TWebModule::DoSmtpTest(const QString& cmd) {
    TSmtpTestFrm form(PMainFrm);
    form.SetLanguage(FHS_Language);
    form.ParamInti(ReadTagValue(cmd, u"params"_s));
    ExecModal(form);
    if (form.IsOk()) {
        QMessageBox box(QMessageBox::Information, LangText(u"提示"_s, u"Notice"_s),
                        LangText(u"测试通过，请返回页面保存设置并重启文档服务！"_s,
                                 u"test is passed, please return to save the settings and "
                                 u"restart the service!"_s),
                        QMessageBox::Ok, &form);
        ExecModal(box);
        form.close();
    }
    return {};
}

}  // namespace ov
