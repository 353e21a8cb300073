#include "platform/mime/mimemessage.h"

#include "platform/mime/mimecharset.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <gmime/gmime.h>

#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

struct OptionsFree {
    void operator()(GMimeParserOptions* options) const { g_mime_parser_options_free(options); }
};

void initGMime() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

QString fromGChars(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

// The fallback character sets of raw 8-bit header bytes, in the order GMime tries them.
std::unique_ptr<GMimeParserOptions, OptionsFree> parserOptions(const QString& fallback) {
    std::unique_ptr<GMimeParserOptions, OptionsFree> options(g_mime_parser_options_new());
    const QByteArray sniffed = fallback.toLatin1();
    const char* charsets[] = {"UTF-8", sniffed.isEmpty() ? "GB18030" : sniffed.constData(),
                              "GB18030", nullptr};
    g_mime_parser_options_set_fallback_charsets(options.get(), charsets);
    return options;
}

QStringList addressesOf(InternetAddressList* list) {
    QStringList found;
    const int count = list ? internet_address_list_length(list) : 0;
    for (int i = 0; i < count; ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_MAILBOX(address))
            found << fromGChars(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)));
        else if (INTERNET_ADDRESS_IS_GROUP(address))
            found << addressesOf(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)));
    }
    found.removeAll(QString());
    return found;
}

QString senderOf(GMimeMessage* message, GMimeFormatOptions* format) {
    InternetAddressList* from = g_mime_message_get_from(message);
    if (!from || internet_address_list_length(from) == 0) return {};
    std::unique_ptr<char, decltype(&g_free)> text(
        internet_address_list_to_string(from, format, FALSE), g_free);
    return fromGChars(text.get());
}

QDateTime dateOf(GMimeMessage* message) {
    GDateTime* date = g_mime_message_get_date(message);
    if (!date) return {};
    return QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(date)).toLocalTime();
}

QByteArray contentOf(GMimePart* part) {
    GMimeDataWrapper* wrapper = g_mime_part_get_content(part);
    if (!wrapper) return {};
    GPtr<GMimeStream> memory(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(wrapper, memory.get());
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), static_cast<qsizetype>(bytes->len));
}

QString contentIdOf(GMimeObject* object) {
    QString id = fromGChars(g_mime_object_get_content_id(object));
    if (id.startsWith(u'<') && id.endsWith(u'>')) id = id.mid(1, id.size() - 2);
    return id;
}

// Marked as an attachment, or a named part that no page refers to and that is not inline.
bool isAttachment(GMimeObject* object, const MimePart& part) {
    GMimeContentDisposition* disposition = g_mime_object_get_content_disposition(object);
    if (disposition && g_mime_content_disposition_is_attachment(disposition)) return true;
    const bool inlined = disposition && !g_ascii_strcasecmp(
        g_mime_content_disposition_get_disposition(disposition), GMIME_DISPOSITION_INLINE);
    return !part.fileName.isEmpty() && part.contentId.isEmpty() && !inlined;
}

MimePart partOf(GMimeObject* object) {
    GMimeContentType* type = g_mime_object_get_content_type(object);
    MimePart part;
    std::unique_ptr<char, decltype(&g_free)> mime(g_mime_content_type_get_mime_type(type), g_free);
    part.contentType = fromGChars(mime.get()).toLower();
    part.charset = fromGChars(g_mime_content_type_get_parameter(type, "charset"));
    part.contentId = contentIdOf(object);
    part.contentLocation = fromGChars(g_mime_part_get_content_location(GMIME_PART(object)));
    part.fileName = fromGChars(g_mime_part_get_filename(GMIME_PART(object)));
    part.attachment = isAttachment(object, part);
    part.data = contentOf(GMIME_PART(object));
    return part;
}

void collectPart(GMimeObject*, GMimeObject* object, gpointer data) {
    auto* parts = static_cast<std::vector<MimePart>*>(data);
    if (!GMIME_IS_PART(object) || parts->size() >= static_cast<size_t>(kMaxMimeParts)) return;
    parts->push_back(partOf(object));
}

MimeMessage messageOf(GMimeMessage* message) {
    MimeMessage read;
    GMimeFormatOptions* format = g_mime_format_options_get_default();
    read.subject = fromGChars(g_mime_message_get_subject(message));
    read.from = senderOf(message, format);
    read.to = addressesOf(g_mime_message_get_addresses(message, GMIME_ADDRESS_TYPE_TO));
    read.cc = addressesOf(g_mime_message_get_addresses(message, GMIME_ADDRESS_TYPE_CC));
    read.date = dateOf(message);
    GMimeObject* body = g_mime_message_get_mime_part(message);
    if (body && GMIME_IS_PART(body))
        read.parts.push_back(partOf(body));
    else
        g_mime_message_foreach(message, collectPart, &read.parts);
    return read;
}

}  // namespace

QString MimePart::text(const QString& fallback) const {
    for (const QString& name : {charset, fallback}) {
        if (name.isEmpty()) continue;
        if (auto decoded = decodeCharset(data, name)) return *decoded;
    }
    return QString::fromUtf8(data);
}

const MimePart* MimeMessage::body() const {
    for (const char16_t* type : {u"text/html", u"text/plain"}) {
        for (const MimePart& part : parts) {
            if (!part.attachment && part.contentType == QStringView(type)) return &part;
        }
    }
    return nullptr;
}

std::vector<const MimePart*> MimeMessage::attachments() const {
    std::vector<const MimePart*> found;
    for (const MimePart& part : parts) {
        if (part.attachment) found.push_back(&part);
    }
    return found;
}

const MimePart* MimeMessage::resource(const QString& reference) const {
    const bool byId = reference.startsWith(u"cid:"_s, Qt::CaseInsensitive);
    const QString wanted = byId ? QUrl::fromPercentEncoding(reference.mid(4).toUtf8()) : reference;
    const MimePart* page = body();
    const QUrl base(page ? page->contentLocation : QString());
    const QString resolved = base.isEmpty() ? wanted : base.resolved(QUrl(wanted)).toString();
    for (const MimePart& part : parts) {
        if (byId ? part.contentId == wanted
                 : !part.contentLocation.isEmpty() &&
                       (part.contentLocation == wanted || part.contentLocation == resolved))
            return &part;
    }
    return nullptr;
}

std::optional<MimeMessage> readMimeBytes(const QByteArray& bytes, const QString& fallbackCharset,
                                         QString* error) {
    initGMime();
    GPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.constData(),
                                                               static_cast<size_t>(bytes.size())));
    GPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    auto options = parserOptions(fallbackCharset);
    GPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options.get()));
    if (!message) {
        if (error) *error = u"the file is no mail message"_s;
        return std::nullopt;
    }
    return messageOf(message.get());
}

std::optional<MimeMessage> readMimeFile(const QString& fileName, const QString& fallbackCharset,
                                        QString* error) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile()) {
        if (error) *error = u"not a regular file: "_s + fileName;
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxMimeFile) {
        if (error) *error = file.isOpen() ? u"the file is too large"_s : file.errorString();
        return std::nullopt;
    }
    return readMimeBytes(file.read(kMaxMimeFile), fallbackCharset, error);
}

}  // namespace ov::platform
