// Web commands 15 (online editing) and 18 to 20 (check-out, cancel check-out, check-in).

#include <QClipboard>
#include <QGuiApplication>

#include "client/webcommands/args.h"
#include "client/webcommands/webmodule.h"
#include "core/paths.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool isOfficeEditExt(const QString& ext) {
    static const QStringList exts{u"doc"_s, u"docx"_s, u"xls"_s, u"xlsx"_s, u"xlsm"_s,
                                  u"ppt"_s, u"pptx"_s, u"wps"_s, u"et"_s,   u"dps"_s};
    return exts.contains(ext);
}

}  // namespace

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

QString TWebModule::DoVersionControl(
    const QString& cmd, const std::function<void(const QStringList&, const QStringList&)>& form) {
    if (!form) return NotAvailable();
    QStringList names = SplitToStrArray(ReadTagValue(cmd, u"fileName"_s), u',');
    for (QString& name : names)
        name = WebFileName(name);
    form(SplitToStrArray(ReadTagValue(cmd, u"fileKeys"_s), u','), names);
    return {};
}

}  // namespace ov
