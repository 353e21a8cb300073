#include "testing/docserver/httppages.h"

#include "core/cipher.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString page(const QString& title, const QString& body, const QString& script = QString()) {
    return u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>"_s + escaped(title) +
           u"</title>"_s +
           (script.isEmpty() ? QString() : u"<script>"_s + script + u"</script>"_s) +
           u"</head><body>\n"_s + body + u"</body></html>\n"_s;
}

// The command text made safe for the link: every byte outside letters, digits and "-._~" as
// "%XX", blanks as "##" (the program turns "##" back into a blank before it decodes, and a
// "%20" would split the link into two arguments).
QString linkEncoded(const QString& text) {
    QString encoded;
    for (const char byte : text.toUtf8()) {
        const auto c = uchar(byte);
        if (c == ' ')
            encoded += u"##"_s;
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.' || c == '_' || c == '~')
            encoded += QLatin1Char(char(c));
        else
            encoded += u'%' + QString::number(c, 16).toUpper().rightJustified(2, u'0');
    }
    return encoded;
}

}  // namespace

QString handedIdentity(const DocUser& user) {
    return EncryptString(u"[UserId2]"_s + QString::number(user.id) + u"[/UserId2][UserId]"_s +
                             user.token + u"[/UserId][UserName]"_s + user.displayName +
                             u"[/UserName]"_s,
                         1);
}

namespace {

QString anchor(const QString& cls, const QString& href, const QString& text) {
    return u"<a class=\""_s + cls + u"\" href=\""_s + escaped(href) + u"\">"_s + text + u"</a>"_s;
}

// Check-out, check-in and cancel of one file.
QString versionLinks(const ServerAddress& server, const DocUser& user, const DocFile& file) {
    const QString cmd = u"[fileKeys]"_s + QString::number(file.key) + u"[/fileKeys][fileName]"_s +
                        file.name + u"[/fileName]"_s;
    return u" "_s + anchor(u"checkout"_s, clientCommandLink(server, user, 18, cmd), u"签出"_s) +
           u" "_s + anchor(u"checkin"_s, clientCommandLink(server, user, 20, cmd), u"签入"_s) +
           u" "_s + anchor(u"cancel"_s, clientCommandLink(server, user, 19, cmd), u"取消签出"_s);
}

QString fileRow(DocModel& model, const DocFile& file, const ServerAddress& server,
                const DocUser& user) {
    return u"<tr><td>"_s + escaped(model.folderPathByNames(file.folderId)) + u"</td><td>"_s +
           escaped(file.name) + u"</td><td>"_s + QString::number(file.size) + u"</td><td>"_s +
           anchor(u"preview"_s, clientPreviewLink(server, user, file), u"预览"_s) +
           versionLinks(server, user, file) + u"</td><td>"_s +
           escaped(model.users.count(file.lockedBy) ? model.users.at(file.lockedBy).displayName
                                                    : QString()) +
           u"</td></tr>\n"_s;
}

// The download of every file of a folder in one go (none for an empty folder).
QString batchLink(DocModel& model, const DocFolder& folder, const ServerAddress& server,
                  const DocUser& user) {
    QStringList keys, names;
    for (const DocFile* file : model.folderFiles(folder.id)) {
        keys << QString::number(file->key);
        names << file->name;
    }
    if (keys.isEmpty()) return {};
    const QString cmd = u"[keys]"_s + keys.join(u'|') + u"[/keys][names]"_s + names.join(u'|') +
                        u"[/names]"_s;
    return u" "_s + anchor(u"batch"_s, clientCommandLink(server, user, 25, cmd), u"批量下载"_s);
}

// The working folder, the latest versions, scanning and clipboard uploads into one folder, and
// the download of its files.
QString folderRow(DocModel& model, const DocFolder& folder, const ServerAddress& server,
                  const DocUser& user) {
    const QString id = u"[folderId]"_s + QString::number(folder.id) + u"[/folderId]"_s;
    const QString owner = u"[ownerId]"_s + QString::number(folder.ownerId) + u"[/ownerId]"_s;
    return u"<tr><td>"_s + escaped(model.folderPathByNames(folder.id)) + u"</td><td>"_s +
           anchor(u"workpath"_s, clientCommandLink(server, user, 16, id), u"工作路径"_s) + u" "_s +
           anchor(u"newver"_s, clientCommandLink(server, user, 17, owner + id), u"获取最新版本"_s) +
           u" "_s + anchor(u"scan"_s, clientCommandLink(server, user, 21, owner + id), u"扫描上传"_s) +
           u" "_s +
           anchor(u"clipboard"_s, clientCommandLink(server, user, 22, owner + id),
                  u"上传剪贴板文件"_s) +
           batchLink(model, folder, server, user) + u"</td></tr>\n"_s;
}

const QString PropertyScript =
    uR"(
function checkFilePrt() {
  var no = document.getElementById('FilePrt1').value;
  document.getElementById('isOK').value = '0';
  if (no.replace(/\s/g, '') === '') { alert('请填写编号'); return; }
  var level = '';
  var radios = document.getElementsByName('FilePrt2');
  for (var i = 0; i < radios.length; i++) if (radios[i].checked) level = radios[i].value;
  var words = [];
  var boxes = document.getElementsByName('FilePrt3');
  for (var j = 0; j < boxes.length; j++) if (boxes[j].checked) words.push(boxes[j].value);
  document.getElementById('filePrt').value = '[proid]1,2,3[/proid][1]' + no + '[/1][2]' +
      level + '[/2][3]' + words.join(',') + '[/3]';
  document.getElementById('isOK').value = '1';
}
function fillProperty() {
  var no = document.getElementById('h_FilePrt1');
  if (no) document.getElementById('FilePrt1').value = no.value;
  var level = document.getElementById('h_FilePrt2');
  var radios = document.getElementsByName('FilePrt2');
  for (var i = 0; i < radios.length; i++) radios[i].checked = level && radios[i].value === level.value;
  var words = document.getElementById('h_FilePrt3');
  var list = words ? words.value.split('*#*#') : [];
  var boxes = document.getElementsByName('FilePrt3');
  for (var j = 0; j < boxes.length; j++) boxes[j].checked = list.indexOf(boxes[j].value) >= 0;
}
)"_s;

}  // namespace

QString previewCommandText(const DocFile& file) {
    return u"[filekey]"_s + QString::number(file.key) +
           u"[/filekey][filever]-1[/filever][filename]"_s + file.name +
           u"[/filename][ctparams]Readonly=True,CanPrint=False[/ctparams]"_s;
}

QString clientStartLink(const ServerAddress& server, const DocUser& user) {
    return u"OvClient://-s%20"_s + server.host + u'#' + QString::number(server.port) + u'#' +
           (server.tls ? u"1"_s : u"0"_s) + u"%20-u%20"_s + handedIdentity(user) + u'/';
}

QString clientPreviewLink(const ServerAddress& server, const DocUser& user, const DocFile& file) {
    QString link = clientStartLink(server, user);
    link.chop(1);
    return link + u"%20-p%20[code]13[/code][cmd]"_s + linkEncoded(previewCommandText(file)) +
           u"[/cmd]/"_s;
}

QString clientCommandLink(const ServerAddress& server, const DocUser& user, int code,
                          const QString& cmd) {
    QString link = clientStartLink(server, user);
    link.chop(1);
    return link + u"%20-p%20[code]"_s + QString::number(code) + u"[/code][cmd]"_s +
           linkEncoded(cmd) + u"[/cmd]/"_s;
}

QString homePage(DocModel& model, const DocUser& user, const ServerAddress& server) {
    QString rows;
    for (const auto& [key, file] : model.files)
        if (!file.deleted && model.mayAccessFile(user, file))
            rows += fileRow(model, file, server, user);
    QString folders;
    for (const auto& [id, folder] : model.folders)
        if (model.mayAccess(user, folder.ownerId))
            folders += folderRow(model, folder, server, user);
    return page(u"文档中心"_s,
                u"<h1>"_s + escaped(user.displayName) +
                    u"</h1>\n<table><tr><th>目录</th><th>文件</th><th>大小</th><th></th>"
                    u"<th>签出用户</th></tr>\n"_s +
                    rows + u"</table>\n<h2>目录</h2>\n<table>\n"_s + folders + u"</table>\n"_s);
}

QString previewPage(DocModel& model, const DocFile& file) {
    return page(file.name, u"<h1>"_s + escaped(file.name) + u"</h1>\n<p>"_s +
                               escaped(model.folderPathByNames(file.folderId)) + u"</p><p>"_s +
                               QString::number(file.size) + u" bytes, version "_s +
                               QString::number(file.version) + u"</p><p>"_s + escaped(file.desc) +
                               u"</p>\n"_s);
}

QString messagesPage() {
    return page(u"文档消息"_s, u"<h1>文档消息</h1>\n<p>请登录后查看您的文档消息。</p>\n"_s);
}

QString propertyPage() {
    const QString body =
        uR"(<form>
<p>编号 <input type="text" name="FilePrt1" id="FilePrt1"></p>
<p>密级 <input type="radio" name="FilePrt2" value="公开">公开
<input type="radio" name="FilePrt2" value="内部">内部</p>
<p>关键词 <input type="checkbox" name="FilePrt3" value="图纸">图纸
<input type="checkbox" name="FilePrt3" value="说明">说明</p>
<input type="hidden" id="isOK" value="0"><input type="hidden" id="filePrt" value="">
</form>
)"_s;
    return page(u"文件属性"_s, body, PropertyScript);
}

QString notePage(const QString& title, const QString& text) {
    return page(title, u"<h1>"_s + escaped(title) + u"</h1>\n<p>"_s + escaped(text) + u"</p>\n"_s);
}

}  // namespace ov::test
