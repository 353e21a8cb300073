#include "client/filemanager/showfolder.h"

#include <QDomDocument>
#include <QMessageBox>

#include "client/filemanager/treenodes.h"
#include "client/filemanager/xmltext.h"
#include "core/errors.h"
#include "core/robottcpclient.h"

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

void addTree(QTreeWidget* tree, QTreeWidgetItem* parent, const TFolderNode& folder,
             std::int32_t owner) {
    const int image = parent ? 1 : (owner < 100000 ? 4 : 3);
    QTreeWidgetItem* item = AddNode(tree, parent, folder.Path, folder.Id, image);
    for (const TFolderNode& child : folder.Childs) addTree(tree, item, child, owner);
}

void errorBox(const QString& caption, const QString& text) {
    QMessageBox::critical(nullptr, caption, text);
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

TShowFolder::TShowFolder() : FLink(TServerLink::FromSettings()) {
    WLS_Hint = FLink.Language == HSL_CN ? u"提示"_s : u"Hint"_s;
}

std::int32_t TShowFolder::FolderOf(const QTreeWidgetItem* parent) {
    const std::int64_t data = parent ? NodeData(parent) : 0;
    return data > 1 ? std::int32_t(data) : 0;
}

TFolderReply TShowFolder::Fetch(const TServerLink& link, std::int32_t OwnerId,
                                std::int32_t folder) {
    TFolderReply reply;
    try {
        const std::uint8_t state = link.Client()->GetSubFolders(OwnerId, folder, reply.Text);
        if (folder == 0 && reply.Text.isEmpty()) {
            reply.OwnerTree = true;
            link.Client()->GetOwnerFolders(OwnerId, reply.Text);
        } else {
            reply.Failed = state != RS_Ok;
        }
    } catch (const std::exception& e) {
        reply.Failed = true;
        reply.Text = QString::fromUtf8(e.what());
    }
    return reply;
}

void TShowFolder::Show(QTreeWidget* tree, QTreeWidgetItem* parent, std::int32_t OwnerId,
                       const TFolderReply& reply) {
    FOwnerId = OwnerId;
    FFolderId = -1;
    if (reply.Failed)
        errorBox(WLS_Hint, reply.Text);
    else if (reply.OwnerTree)
        for (const TFolderNode& folder : ParseOwnerFolders(reply.Text))
            addTree(tree, parent, folder, OwnerId);
    else
        LoadLevel(tree, parent, reply.Text);
}

void TShowFolder::GetSubFolders(QTreeWidget* tree, QTreeWidgetItem* parent,
                                std::int32_t OwnerId) {
    Show(tree, parent, OwnerId, Fetch(FLink, OwnerId, FolderOf(parent)));
}

void TShowFolder::LoadLevel(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& xml) {
    for (const TFolderNode& folder : ParseSubFolders(xml))
        AddNode(tree, parent, folder.Path, folder.Id, folder.ChildNum > 0 ? 6 : 1);
}

}  // namespace ov
