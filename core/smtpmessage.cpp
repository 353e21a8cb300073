#include "core/smtpmessage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTimeZone>
#include <cstring>
#include <utility>

namespace ov {

namespace {

constexpr qint64 Base64LineBytes = 57;  // 76 characters per line
constexpr qint64 AttachmentChunk = Base64LineBytes * 1024;

QString withoutLineBreaks(const QString& text) {
    QString t = text;
    for (QChar& c : t) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return t;
}

bool isPlainAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    }
    return true;
}

// Base64 in lines of 76 characters, each ended by CR LF.
QByteArray base64Lines(const QByteArray& bytes) {
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); i += Base64LineBytes)
        out += bytes.mid(i, Base64LineBytes).toBase64() + "\r\n";
    return out;
}

// A display name as a phrase: plain words as they stand, quoted when it holds specials,
// encoded when it is not ASCII.
QByteArray phrase(const QString& name) {
    const QString clean = withoutLineBreaks(name).trimmed();
    if (!isPlainAscii(clean)) return EncodeHeaderText(clean);
    static const QString specials = QStringLiteral("()<>[]:;@\\,.\"");
    for (const QChar c : clean) {
        if (specials.contains(c)) {
            QString quoted = clean;
            quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
            return '"' + quoted.toLatin1() + '"';
        }
    }
    return clean.toLatin1();
}

QByteArray addressHeader(const QList<MailAddress>& list) {
    QList<QByteArray> items;
    for (const MailAddress& a : list) {
        const QByteArray address = withoutLineBreaks(a.address).toUtf8();
        items.append(a.name.isEmpty() ? address : phrase(a.name) + " <" + address + '>');
    }
    return items.join(",\r\n ");  // one address per folded line keeps lines short
}

QByteArray header(const char* name, const QByteArray& value) {
    return QByteArray(name) + ": " + value + "\r\n";
}

QByteArray headBlock(const MailContent& c) {
    // The display name is joined to the address without a blank, as the server's other
    // clients write it.
    const QByteArray from = c.displayName.isEmpty() ? withoutLineBreaks(c.from).toUtf8()
                                                    : phrase(c.displayName) + '<' +
                                                          withoutLineBreaks(c.from).toUtf8() + '>';
    QByteArray head = header("From", from) + header("Reply-To", withoutLineBreaks(c.from).toUtf8());
    if (!c.to.isEmpty()) head += header("To", addressHeader(c.to));
    if (!c.cc.isEmpty()) head += header("Cc", addressHeader(c.cc));
    head += header("Subject", EncodeHeaderText(c.subject));
    head += header("Date", MailDate(QDateTime::currentDateTime()));
    return head + header("MIME-Version", "1.0");
}

QByteArray htmlPart(const QString& html) {
    return header("Content-Type", "text/html;charset=utf-8") +
           header("Content-Transfer-Encoding", "base64") + "\r\n" + base64Lines(html.toUtf8());
}

QByteArray newBoundary() {
    return "=_ov_" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + "_=";
}

}  // namespace

QList<MailAddress> ParseAddressList(const QString& text) {
    QList<MailAddress> list;
    QString item;
    bool quoted = false, angle = false;
    auto flush = [&] {
        const QString t = item.trimmed();
        item.clear();
        if (t.isEmpty()) return;
        const qsizetype open = t.lastIndexOf(u'<');
        const qsizetype close = t.lastIndexOf(u'>');
        if (open >= 0 && close > open) {
            QString name = t.left(open).trimmed();
            if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
                name = name.mid(1, name.size() - 2);
            list.append({name, t.mid(open + 1, close - open - 1).trimmed()});
        } else {
            list.append({QString(), t});
        }
    };
    for (const QChar c : text) {
        if (c == u'"' && !angle) quoted = !quoted;
        if (c == u'<' && !quoted) angle = true;
        if (c == u'>' && !quoted) angle = false;
        if ((c == u',' || c == u';') && !quoted && !angle)
            flush();
        else
            item.append(c);
    }
    flush();
    return list;
}

namespace {

// Header lines stay within 78 characters where they can (the field name included).
constexpr qsizetype FoldWidth = 76;
constexpr qsizetype FirstLineWidth = 66;
// The mail standard's hard limit of a line, without its CR LF.
constexpr qsizetype MaxLineLength = 998;

// Encoded words stay short: split between characters, never inside a UTF-8 sequence; each
// goes on a folded line of its own.
QByteArray encodedWords(const QString& text) {
    QByteArray out;
    QString chunk;
    auto flushChunk = [&] {
        if (chunk.isEmpty()) return;
        if (!out.isEmpty()) out += "\r\n ";
        out += "=?UTF-8?B?" + chunk.toUtf8().toBase64() + "?=";
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        chunk.append(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) chunk.append(text.at(++i));
        if (chunk.toUtf8().size() >= 39) flushChunk();
    }
    flushChunk();
    return out;
}

// Plain ASCII folded before blanks so that lines stay short; empty when a word is too long
// for any line.
QByteArray foldedAscii(const QString& text) {
    QByteArray out;
    qsizetype line = 0;
    qsizetype width = FirstLineWidth;
    const QStringList words = text.split(u' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QByteArray piece = (i == 0 ? QByteArray() : QByteArray(" ")) + words[i].toLatin1();
        // A fold goes before a blank that a word follows, so no line is blank alone.
        if (line > 0 && !words[i].isEmpty() && line + piece.size() > width) {
            out += "\r\n";
            line = 0;
            width = FoldWidth;
        }
        out += piece;
        line += piece.size();
        if (line > MaxLineLength) return {};
    }
    return out;
}

}  // namespace

QByteArray EncodeHeaderText(const QString& text) {
    const QString clean = withoutLineBreaks(text);
    // Plain text that looks like an encoded word would be decoded by the reader: encode it.
    if (!isPlainAscii(clean) || clean.contains(QStringLiteral("=?"))) return encodedWords(clean);
    if (clean.size() <= FirstLineWidth) return clean.toLatin1();
    const QByteArray folded = foldedAscii(clean);
    return folded.isEmpty() ? encodedWords(clean) : folded;
}

QByteArray MailDate(const QDateTime& when) {
    const QLocale c = QLocale::c();
    const int offset = when.offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? u'-' : u'+')
                             .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
                             .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'));
    return (c.toString(when, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")) + zone).toLatin1();
}

MailMessageSource::MailMessageSource(const MailContent& content) {
    const QByteArray head = headBlock(content);
    const QFileInfo attached(content.attachment);
    if (content.attachment.isEmpty() || !attached.isFile()) {
        m_pending = head + htmlPart(content.htmlBody);
        return;
    }
    const QByteArray boundary = newBoundary();
    const QByteArray name = EncodeHeaderText(attached.fileName()).replace('"', QByteArray());
    m_pending = head + header("Content-Type", "multipart/mixed; boundary=\"" + boundary + '"') +
                "\r\nThis is a multi-part message in MIME format.\r\n\r\n--" + boundary + "\r\n" +
                htmlPart(content.htmlBody) + "\r\n--" + boundary + "\r\n" +
                header("Content-Type", "application/octet-stream; name=\"" + name + '"') +
                header("Content-Transfer-Encoding", "base64") +
                header("Content-Disposition", "attachment; filename=\"" + name + '"') + "\r\n";
    m_tail = "\r\n--" + boundary + "--\r\n";
    m_file = std::make_unique<QFile>(content.attachment);
    if (!m_file->open(QIODevice::ReadOnly)) m_failed = true;
}

MailMessageSource::~MailMessageSource() = default;

qint64 MailMessageSource::read(char* buffer, qint64 max) {
    if (m_offset >= m_pending.size() && !refill()) return m_failed ? -1 : 0;
    const qint64 n = std::min<qint64>(max, m_pending.size() - m_offset);
    memcpy(buffer, m_pending.constData() + m_offset, size_t(n));
    m_offset += n;
    return n;
}

// Produces the next piece after the pending bytes are used up: the attachment chunk by chunk,
// then the closing boundary. False at the end or on a read error.
bool MailMessageSource::refill() {
    m_pending.clear();
    m_offset = 0;
    if (m_failed) return false;
    if (m_file) {
        const QByteArray chunk = m_file->read(AttachmentChunk);
        if (chunk.isEmpty() && m_file->error() != QFileDevice::NoError) {
            m_failed = true;
            return false;
        }
        if (!chunk.isEmpty()) {
            m_pending = base64Lines(chunk);
            return true;
        }
        m_file.reset();
    }
    m_pending = std::exchange(m_tail, QByteArray());
    return !m_pending.isEmpty();
}

}  // namespace ov
