#pragma once
// Local file-system queries of the transfer code: mounted volumes, folder trees and folder
// lists, file lists with an optional extension pattern, image counts, filtering by file-type
// code, sizes and the times the server is told about. Times are local TDateTime values.
//
// Volumes: this system has no drive letters. A "drive" is the mount point of a real file
// system (from /proc/self/mounts), and a path's volume is ready when its file system answers a
// status query for the path itself.
//
// Folder walks visit entries in name order (letter case ignored), follow symbolic links to
// files and folders, but never enter a folder twice in one walk, so a link that points back up
// the tree cannot make a walk loop. Folders that cannot be opened are skipped. Only regular
// files count as files: sockets, pipes, devices and dangling links are left out.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/types.h"

namespace ov {

// One node of a folder tree. A node owns its children; Father points back to the parent.
struct TDirectoryTree {
    std::int32_t Id = 0;
    std::uint8_t Level = 0;   // a child has its parent's level + 1
    std::uint8_t Dealed = 0;  // 0 when created; left to the caller
    TDirectoryTree* Father = nullptr;
    std::vector<std::unique_ptr<TDirectoryTree>> Childs;
    QString Path;  // full path, or the folder name alone (see GetAllDirectory)
};
using PDirectoryTree = TDirectoryTree*;

// Attribute bits of TFileAttributeData, with the values the server's world knows them by.
enum TFileAttributeFlag : std::uint32_t {
    FA_ReadOnly = 0x1,        // nobody may write the file
    FA_Hidden = 0x2,          // the name starts with "."
    FA_Directory = 0x10,      // a folder
    FA_Normal = 0x80,         // a file with none of the other bits
    FA_ReparsePoint = 0x400,  // the path itself is a symbolic link
};

// What GetAttributes reads about a file. A symbolic link is followed for the times and the
// size; the times are in UTC.
struct TFileAttributeData {
    std::uint32_t Attributes = 0;
    QDateTime CreationTime;  // the last-write time when the file system keeps no creation time
    QDateTime LastAccessTime;
    QDateTime LastWriteTime;
    std::int64_t Size = 0;  // 0 for a folder
};

class TFileOperator {
public:
    // Mount points of the real file systems, "/" first, each ending with "/".
    QStringList GetDrives() const;
    // The same, only those backed by a block device (local disks).
    QStringList GetDrives_Fixed() const;
    // Whether the volume holding the path answers (the path exists and its file system is ready).
    bool GetVolumeInformation(const QString& driveNumber) const;

    // path + "/" (when missing) + "*." + fileExt, or "*.*" when fileExt is empty; "" for an
    // empty path.
    static QString GetSearchPath(const QString& path, const QString& fileExt);
    // Appends the full path of every file that the pattern of GetSearchPath(rootPath, fileExt)
    // finds. With isGetSubDir, every folder that the pattern finds is searched with "*.*".
    void GetAllFiles(const QString& rootPath, bool isGetSubDir, QStringList& fileList,
                     const QString& fileExt = QString()) const;
    static QStringList ListAllFiles(const QString& rootPath, bool isGetSubDir,
                                    const QString& fileExt = QString());
    // Adds to allCount the number of image files below rootPath.
    void GetPicFileNum(const QString& rootPath, bool isGetSubDir, int& allCount) const;
    // Removes, from the last entry to the first, every entry whose extension code is not in
    // fileTypes (an empty array removes all).
    void FiltrateFile(const TFileTypeArray& fileTypes, QStringList& fileList) const;

    // The text after the last "." ("" when there is none).
    static QString GetFilePostfix(const QString& filename);
    static std::int32_t GetFileExtType2(const QString& filename);
    static QString FileTypeToExtStr(std::int32_t code);

    // Size in bytes; 0 when the file cannot be read.
    std::int64_t GetFileSize(const QString& filename) const;
    static std::int64_t GetFileSizeEx(const QString& filename);
    // Last-write time; 0 when the file cannot be read.
    TDateTime GetFileModifyTime(const QString& filename) const;
    // Size and modification time: the creation time when the last write falls on an hour 0 of
    // January 1980 (the mark of a time lost in copying), else the last-write time. Both 0 when
    // the file cannot be read.
    void GetFileSizeAndModifyTime(const QString& filename, std::int64_t& size,
                                  TDateTime& modifyTime) const;
    // As above, and lastTime = the later of creation and last-write time. When the file cannot
    // be read, size and lastTime are 0 and modifyTime is left as it was.
    void GetFileSizeAndLastTime(const QString& filename, std::int64_t& size, TDateTime& modifyTime,
                                TDateTime& lastTime) const;
    void GetFileSizeAndCreateTime(const QString& filename, std::int64_t& size,
                                  TDateTime& createTime) const;
    bool GetAttributes(const QString& filename, TFileAttributeData& data) const;

    // Builds the sub-tree below the node: plain folders only (hidden folders, folders nobody
    // may write and links are skipped), at most kMaxTreeChilds children per node, descending
    // while maxLevel < 1 or the child's level < maxLevel.
    void GetAllDirectory(PDirectoryTree rootDir, int maxLevel, bool isFullPath) const;
    // Adds a node for every folder below the node (hidden ones too) to the tree and appends it
    // to the list before its own folders are searched; descends while maxLevel = 0 or the
    // child's level < maxLevel. The list does not own the nodes: the tree does.
    void SaveDirectoryToList(PDirectoryTree rootDir, QList<PDirectoryTree>& list,
                             int maxLevel) const;
    // Appends the path of every folder below root, each ending with "/", depth first.
    void SaveDirectoryToList(const QString& root, QStringList& list) const;
    // Frees every node below the node and empties its Childs; the node itself stays.
    void FreeDirectoryTree(PDirectoryTree rootDir) const;

    static constexpr int kMaxTreeChilds = 40960;
};

}  // namespace ov
