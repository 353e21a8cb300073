#pragma once
// A mail (.eml) or saved web archive (.mht) read into its headers and parts, by GMime.
//
// What lives in platform/mime/: this reader, the character-set sniff of a mail file and text
// decoding by a character-set name (mimecharset.h), and the safe saving of an attachment into a
// private folder (attachmentfile.h). It uses Qt Core and GMime, nothing of the system above it.
//
// Everything read is bounded: files larger than kMaxMimeFile are refused, at most kMaxMimeParts
// parts are kept. Header texts are decoded (encoded words, RFC 2231 names); raw 8-bit header
// bytes are read as UTF-8 when they are valid UTF-8, else in the fallback character set given
// (the one sniffed from the file), else as GB18030.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ov::platform {

inline constexpr qint64 kMaxMimeFile = 64 * 1024 * 1024;
inline constexpr int kMaxMimeParts = 1000;

struct MimePart {
    QString contentType;      // "text/html", lower case
    QString charset;          // the charset parameter, as written; empty when none
    QString contentId;        // without the angle brackets
    QString contentLocation;  // as written
    QString fileName;         // decoded; empty when the part has none
    bool attachment = false;  // offered as an attachment (not shown in the body)
    QByteArray data;          // the content with its transfer encoding undone

    // The content as text: in the part's own charset, else in `fallback`, else UTF-8.
    QString text(const QString& fallback = {}) const;
};

struct MimeMessage {
    QString subject;
    QString from;     // the sender as written ("Name <address>"), decoded
    QStringList to;   // the recipients' addresses
    QStringList cc;   // the copy recipients' addresses
    QDateTime date;   // invalid when the mail has none
    std::vector<MimePart> parts;  // the leaf parts, in the order of the file

    // The part shown as the body: the first HTML part that is no attachment, else the first
    // plain-text one; nullptr when there is none.
    const MimePart* body() const;
    // The attachments, in the order of the file.
    std::vector<const MimePart*> attachments() const;
    // The part a page refers to by "cid:..." or by its location (absolute, or relative to the
    // body's own location); nullptr when the message has none such.
    const MimePart* resource(const QString& reference) const;
};

// Reads the file; nullopt with `error` set when it cannot be read or is no MIME message.
std::optional<MimeMessage> readMimeFile(const QString& fileName, const QString& fallbackCharset,
                                        QString* error = nullptr);
std::optional<MimeMessage> readMimeBytes(const QByteArray& bytes, const QString& fallbackCharset,
                                         QString* error = nullptr);

}  // namespace ov::platform
