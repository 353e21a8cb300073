#include "testing/docserver/model/model_xml.h"

#include "core/filetype.h"
#include "testing/docserver/codec/datetime.h"

#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

void writeMembers(QXmlStreamWriter& xml, const DocModel& model, const DocGroup& group) {
    xml.writeStartElement(u"Members"_s);
    for (const std::int32_t id : group.members) {
        const auto it = model.users.find(id);
        if (it == model.users.end()) continue;
        const DocUser& user = it->second;
        xml.writeStartElement(u"Member"_s);
        xml.writeAttribute(u"Id"_s, QString::number(user.id));
        xml.writeAttribute(u"Name"_s, user.displayName);
        xml.writeAttribute(u"Email"_s, user.email);
        xml.writeAttribute(u"CoreId"_s, user.coreId);
        xml.writeAttribute(u"BindingIp"_s, QString());
        xml.writeAttribute(u"Port"_s, u"0"_s);
        if (user.lastLogin != 0)
            xml.writeAttribute(u"LasterLoginTm"_s, wire::dateText(user.lastLogin));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writeGroup(QXmlStreamWriter& xml, const DocModel& model, const DocGroup& group, int depth) {
    xml.writeStartElement(u"GroupItem"_s);
    xml.writeAttribute(u"Name"_s, group.name);
    xml.writeAttribute(u"Id"_s, QString::number(group.id));
    writeMembers(xml, model, group);
    xml.writeStartElement(u"Childs"_s);
    // The depth bound keeps a group that names itself as its parent from recursing forever.
    for (const auto& [id, child] : model.groups)
        if (child.parent == group.id && id != group.id && depth < 64)
            writeGroup(xml, model, child, depth + 1);
    xml.writeEndElement();
    xml.writeEndElement();
}

void writeFolderTree(QXmlStreamWriter& xml, const DocModel& model, const DocFolder& folder,
                     int depth) {
    xml.writeStartElement(u"Folder"_s);
    xml.writeAttribute(u"Id"_s, QString::number(folder.id));
    xml.writeTextElement(u"Path"_s, folder.name);
    xml.writeStartElement(u"Childs"_s);
    for (const DocFolder* child : model.childFolders(folder.ownerId, folder.id))
        if (depth < 64) writeFolderTree(xml, model, *child, depth + 1);
    xml.writeEndElement();
    xml.writeEndElement();
}

QString fileExt(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

}  // namespace

QString OrgStructureXml(const DocModel& model) {
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(u"Org"_s);
    for (const auto& [id, group] : model.groups)
        if (group.parent == 0) {
            writeGroup(xml, model, group, 0);
            break;
        }
    xml.writeEndElement();
    return text;
}

QString OwnerFoldersXml(const DocModel& model, std::int32_t ownerId) {
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(u"Folders"_s);
    xml.writeStartElement(u"Item"_s);
    xml.writeStartElement(u"Childs"_s);
    for (const DocFolder* folder : model.childFolders(ownerId, 0))
        writeFolderTree(xml, model, *folder, 0);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    return text;
}

QString SubFoldersXml(const DocModel& model, std::int32_t ownerId, std::int64_t folderId) {
    const auto children = model.childFolders(ownerId, folderId);
    if (folderId == 0 || children.isEmpty()) return QString();
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(u"Folders"_s);
    for (const DocFolder* folder : children) {
        xml.writeStartElement(u"Folder"_s);
        xml.writeAttribute(u"Id"_s, QString::number(folder->id));
        xml.writeAttribute(u"ChildNum"_s,
                           QString::number(model.childFolders(ownerId, folder->id).size()));
        xml.writeTextElement(u"Path"_s, folder->name);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    return text;
}

QString FolderFilesXml(const DocModel& model, std::int64_t folderId) {
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(u"Files"_s);
    const QString path = model.folderPathByNames(folderId);
    for (const DocFile* file : model.folderFiles(folderId)) {
        xml.writeStartElement(u"File"_s);
        xml.writeAttribute(u"Id"_s, QString::number(file->key));
        xml.writeAttribute(u"Size"_s, QString::number(file->size));
        xml.writeAttribute(u"DT"_s, wire::dateText(file->modified));
        xml.writeAttribute(u"Kind"_s, QString::number(FileExtToCode(fileExt(file->name))));
        xml.writeCharacters(path + u'/' + file->name);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    return text;
}

}  // namespace ov::test
