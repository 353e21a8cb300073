#pragma once
// The one place where the web commands meet the windows that carry them out. The dispatcher
// reads and checks each command's arguments and then calls the slot of its code. A slot that
// is not filled in yet (its window is not part of this build) makes the dispatcher show the
// "not available" hint instead.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace ov {

struct TWebForms {
    // 13: preview of a server file; the command text as it came. Returns the error text
    // (empty when there is none to show).
    std::function<QString(const QString& cmd)> Preview;
    // 15: online editing of a file key with its name and lower-case extension, by the Office
    // editor (Office and WPS documents) or the text editor ("txt").
    using TEditorSlot =
        std::function<void(std::int64_t fileKey, const QString& fileName, const QString& ext)>;
    TEditorSlot OfficeEditor, TextEditor;
    // 16: the working folder of a server folder (folder ids are 64-bit).
    std::function<void(std::int64_t folderId)> SetWorkPath;
    // 17: the newest versions of a folder's files.
    std::function<void(std::int32_t ownerId, std::int64_t folderId)> GetNewVer;
    // 18, 19, 20: check-out, cancel check-out and check-in of files (keys and names in
    // matching order).
    std::function<void(const QStringList&keys, const QStringList&names)> Checkout, CancelCheckout,
        Checkin;
    // 21, 22: scanning into a folder; upload of the clipboard's files into a folder.
    std::function<void(std::int32_t ownerId, std::int64_t folderId)> ScanUpload, UploadFiles;
    // 25: download of several files (keys and names in matching order).
    std::function<void(const QStringList& keys, const QStringList& names)> BatchDownload;
};

}  // namespace ov
