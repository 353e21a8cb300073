#include "client/filemanager/folderxml.h"

#include <QDomDocument>

#include "client/filemanager/xmltext.h"
#include "core/datetime.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kMaxDepth = 64;

TFolderNode readFolder(const QDomElement& e, int depth) {
    TFolderNode node;
    node.Id = e.attribute(u"Id"_s).trimmed().toLongLong();
    node.ChildNum = e.attribute(u"ChildNum"_s).trimmed().toInt();
    node.Path = e.firstChildElement(u"Path"_s).text();
    if (depth >= kMaxDepth) return node;
    const QDomElement childs = e.firstChildElement(u"Childs"_s);
    for (QDomElement c = childs.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        node.Childs.append(readFolder(c, depth + 1));
    return node;
}

}  // namespace

QVector<TFolderNode> ParseSubFolders(const QString& xml) {
    QVector<TFolderNode> folders;
    QDomDocument doc;
    if (!LoadXmlText(doc, xml)) return folders;
    for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull();
         e = e.nextSiblingElement())
        folders.append(readFolder(e, kMaxDepth));
    return folders;
}

QVector<TFolderNode> ParseOwnerFolders(const QString& xml) {
    QVector<TFolderNode> folders;
    QDomDocument doc;
    if (!LoadXmlText(doc, xml)) return folders;
    const QDomElement childs =
        doc.documentElement().firstChildElement(u"Item"_s).firstChildElement(u"Childs"_s);
    for (QDomElement e = childs.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        folders.append(readFolder(e, 0));
    return folders;
}

QVector<TServerFileEntry> ParseFolderFiles(const QString& xml, TDateTime now) {
    QVector<TServerFileEntry> files;
    QDomDocument doc;
    if (!LoadXmlText(doc, xml)) return files;
    for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull();
         e = e.nextSiblingElement()) {
        TServerFileEntry file;
        file.Path = e.text();
        file.Id = e.attribute(u"Id"_s).trimmed().toLongLong();
        file.Size = e.attribute(u"Size"_s).trimmed().toLongLong();
        file.DT = TextToDateTimeDef(e.attribute(u"DT"_s), now);
        file.Kind = e.attribute(u"Kind"_s).trimmed().toInt();
        files.append(file);
    }
    return files;
}

}  // namespace ov
