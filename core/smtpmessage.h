#pragma once
// Building the message the mail sender hands to the server: header fields encoded for any
// language, an HTML body in UTF-8 and an optional attachment, produced chunk by chunk so an
// attachment is streamed from disk rather than held in memory.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <memory>

namespace ov {

struct MailAddress {
    QString name;  // display name, may be empty
    QString address;
};

// The addresses of a list separated by "," or ";" ("Name <a@b>", "a@b", "\"Last, First\" <a@b>").
QList<MailAddress> ParseAddressList(const QString& text);

// A header text: plain ASCII as it stands, folded before blanks into lines of at most 78
// characters; else (other characters, a word too long for a line, or a "=?" that a reader
// would take for the start of an encoded word) RFC 2047 encoded words (UTF-8, base64), one
// per folded line. Line breaks of the text never reach the header.
QByteArray EncodeHeaderText(const QString& text);

// The date as a mail header value ("Thu, 10 Dec 2026 23:12:08 +0800").
QByteArray MailDate(const QDateTime& when);

struct MailContent {
    QString from;         // address
    QString displayName;  // may be empty
    QList<MailAddress> to, cc;
    QString subject;
    QString htmlBody;
    QString attachment;  // a file name, or empty
};

// The whole message, read in pieces by the transfer.
class MailMessageSource {
public:
    explicit MailMessageSource(const MailContent& content);
    ~MailMessageSource();
    MailMessageSource(const MailMessageSource&) = delete;
    MailMessageSource& operator=(const MailMessageSource&) = delete;

    // Up to `max` next bytes of the message; 0 at the end, -1 when the attachment cannot be read.
    qint64 read(char* buffer, qint64 max);

private:
    bool refill();

    QByteArray m_pending;  // bytes produced but not yet read
    qsizetype m_offset = 0;
    std::unique_ptr<QFile> m_file;  // the attachment while it is being encoded
    QByteArray m_tail;              // what follows the attachment
    bool m_failed = false;
};

}  // namespace ov
