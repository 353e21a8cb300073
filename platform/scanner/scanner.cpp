#include "platform/scanner/scanner.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QByteArray>
#include <cstring>
#include <mutex>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// The library is started with the first scanner object and stays started for the life of the
// process: its back-ends keep buffers and threads of their own that an exit would pull away
// from a scanner another thread may be opening.
std::once_flag g_saneStarted;

void startSane() {
    std::call_once(g_saneStarted, [] {
        SANE_Int version = 0;
        sane_init(&version, nullptr);
    });
}

SANE_Handle handleOf(void* h) {
    return static_cast<SANE_Handle>(h);
}

QString statusText(SANE_Status status) {
    return QString::fromUtf8(sane_strstatus(status));
}

// The page's pixels as a picture: 8-bit grey or colour, or 1-bit line art (1 is black).
QImage pictureOf(const SANE_Parameters& p, const QByteArray& data, int lines) {
    const int w = p.pixels_per_line;
    const int bpl = p.bytes_per_line;
    QImage image;
    if (p.format == SANE_FRAME_RGB && p.depth == 8) {
        image = QImage(w, lines, QImage::Format_RGB888);
    } else if (p.format == SANE_FRAME_GRAY && p.depth == 8) {
        image = QImage(w, lines, QImage::Format_Grayscale8);
    } else if (p.format == SANE_FRAME_GRAY && p.depth == 1) {
        image = QImage(w, lines, QImage::Format_Mono);
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    } else {
        return {};
    }
    const int rowBytes = std::min<int>(bpl, int(image.bytesPerLine()));
    for (int y = 0; y < lines; ++y)
        std::memcpy(image.scanLine(y), data.constData() + qsizetype(y) * bpl, size_t(rowBytes));
    return image;
}

}  // namespace

Scanner::Scanner() {
    startSane();
}

Scanner::~Scanner() {
    close();
}

std::vector<ScannerSource> Scanner::sources() {
    Scanner keep;  // the library stays started while the list is read
    const SANE_Device** list = nullptr;
    std::vector<ScannerSource> found;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list) return found;
    for (int i = 0; list[i]; ++i) {
        const SANE_Device* d = list[i];
        found.push_back({QString::fromUtf8(d->name),
                         (QString::fromUtf8(d->vendor) + u' ' + QString::fromUtf8(d->model))
                             .trimmed()});
    }
    return found;
}

bool Scanner::open(const QString& name) {
    close();
    m_error.clear();
    SANE_Handle h = nullptr;
    const SANE_Status status = sane_open(name.toUtf8().constData(), &h);
    if (status != SANE_STATUS_GOOD)
        return fail(u"Cannot open the scanner \"%1\": %2"_s.arg(name, statusText(status)));
    m_handle = h;
    return true;
}

void Scanner::close() {
    if (!m_handle) return;
    sane_cancel(handleOf(m_handle));
    sane_close(handleOf(m_handle));
    m_handle = nullptr;
}

int Scanner::optionIndex(const char* name) const {
    if (!m_handle) return -1;
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(handleOf(m_handle), i);
        if (!d) return -1;
        if (d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap))
            return i;
    }
}

QStringList Scanner::stringChoices(const char* name) const {
    const int i = optionIndex(name);
    if (i < 0) return {};
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(handleOf(m_handle), i);
    QStringList choices;
    if (d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (int k = 0; d->constraint.string_list[k]; ++k)
            choices << QString::fromUtf8(d->constraint.string_list[k]);
    return choices;
}

QString Scanner::stringValue(const char* name) const {
    const int i = optionIndex(name);
    if (i < 0) return {};
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(handleOf(m_handle), i);
    QByteArray value(std::max<SANE_Int>(d->size, 1), '\0');
    if (sane_control_option(handleOf(m_handle), i, SANE_ACTION_GET_VALUE, value.data(), nullptr) !=
        SANE_STATUS_GOOD)
        return {};
    return QString::fromUtf8(value.constData());
}

QStringList Scanner::modes() const {
    return stringChoices(SANE_NAME_SCAN_MODE);
}

QStringList Scanner::feedSources() const {
    return stringChoices(SANE_NAME_SCAN_SOURCE);
}

std::vector<int> Scanner::resolutions() const {
    const int i = optionIndex(SANE_NAME_SCAN_RESOLUTION);
    if (i < 0) return {};
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(handleOf(m_handle), i);
    const bool fixed = d->type == SANE_TYPE_FIXED;
    auto dpi = [fixed](SANE_Word w) { return fixed ? int(SANE_UNFIX(w)) : int(w); };
    std::vector<int> choices;
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        for (SANE_Int k = 1; k <= d->constraint.word_list[0]; ++k)
            choices.push_back(dpi(d->constraint.word_list[k]));
    } else if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        const int low = dpi(d->constraint.range->min), high = dpi(d->constraint.range->max);
        for (int v : {75, 100, 150, 200, 300, 600, 1200})
            if (v >= low && v <= high) choices.push_back(v);
    }
    return choices;
}

ScannerSettings Scanner::current() const {
    ScannerSettings s;
    s.mode = stringValue(SANE_NAME_SCAN_MODE);
    s.source = stringValue(SANE_NAME_SCAN_SOURCE);
    const int i = optionIndex(SANE_NAME_SCAN_RESOLUTION);
    SANE_Word w = 0;
    if (i >= 0 && sane_control_option(handleOf(m_handle), i, SANE_ACTION_GET_VALUE, &w,
                                      nullptr) == SANE_STATUS_GOOD) {
        const auto* d = sane_get_option_descriptor(handleOf(m_handle), i);
        s.resolution = d->type == SANE_TYPE_FIXED ? int(SANE_UNFIX(w)) : int(w);
    }
    return s;
}

bool Scanner::setString(const char* name, const QString& value) {
    const int i = optionIndex(name);
    if (i < 0) return fail(u"The scanner has no setting \"%1\"."_s.arg(QLatin1StringView(name)));
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(handleOf(m_handle), i);
    QByteArray bytes = value.toUtf8();
    if (bytes.size() >= d->size) return fail(u"The value \"%1\" is too long."_s.arg(value));
    bytes.resize(d->size, '\0');
    const SANE_Status status =
        sane_control_option(handleOf(m_handle), i, SANE_ACTION_SET_VALUE, bytes.data(), nullptr);
    if (status != SANE_STATUS_GOOD)
        return fail(u"The scanner refused \"%1\": %2"_s.arg(value, statusText(status)));
    return true;
}

bool Scanner::setResolution(int dpi) {
    const int i = optionIndex(SANE_NAME_SCAN_RESOLUTION);
    if (i < 0) return fail(u"The scanner has no resolution setting."_s);
    const auto* d = sane_get_option_descriptor(handleOf(m_handle), i);
    SANE_Word w = d->type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : dpi;
    const SANE_Status status =
        sane_control_option(handleOf(m_handle), i, SANE_ACTION_SET_VALUE, &w, nullptr);
    if (status != SANE_STATUS_GOOD)
        return fail(u"The scanner refused %1 dpi: %2"_s.arg(dpi).arg(statusText(status)));
    return true;
}

bool Scanner::apply(const ScannerSettings& settings) {
    if (!m_handle) return fail(u"No scanner is open."_s);
    if (!settings.source.isEmpty() && !setString(SANE_NAME_SCAN_SOURCE, settings.source))
        return false;
    if (!settings.mode.isEmpty() && !setString(SANE_NAME_SCAN_MODE, settings.mode)) return false;
    return settings.resolution <= 0 || setResolution(settings.resolution);
}

bool Scanner::isFeeder() const {
    const QString source = stringValue(SANE_NAME_SCAN_SOURCE).toLower();
    return source.contains(u"feeder"_s) || source.contains(u"adf"_s) ||
           source.contains(u"duplex"_s);
}

std::optional<int> Scanner::acquire(const std::function<void(const QImage&)>& page,
                                    const std::atomic<bool>* cancel) {
    if (!m_handle) {
        fail(u"No scanner is open."_s);
        return std::nullopt;
    }
    const bool feeder = isFeeder();
    int pages = 0;
    while (!(cancel && cancel->load())) {
        const std::optional<QImage> image = scanPage(cancel);
        if (!image) break;  // the feeder is empty
        if (image->isNull()) {
            sane_cancel(handleOf(m_handle));
            if (cancel && cancel->load()) break;
            return std::nullopt;
        }
        page(*image);
        ++pages;
        if (!feeder) break;
    }
    sane_cancel(handleOf(m_handle));
    return pages;
}

std::optional<QImage> Scanner::scanPage(const std::atomic<bool>* cancel) {
    SANE_Handle h = handleOf(m_handle);
    SANE_Status status = sane_start(h);
    if (status == SANE_STATUS_NO_DOCS) return std::nullopt;
    if (status != SANE_STATUS_GOOD) {
        fail(u"The scan did not start: %1"_s.arg(statusText(status)));
        return QImage();
    }
    SANE_Parameters p{};
    if (sane_get_parameters(h, &p) != SANE_STATUS_GOOD || !p.last_frame ||
        p.bytes_per_line <= 0) {
        fail(u"The scanner sends pages in a form this program cannot read."_s);
        return QImage();
    }
    if (p.lines > 0 && qint64(p.lines) * p.bytes_per_line > MaxPageBytes) {
        fail(u"The page is too large."_s);
        return QImage();
    }
    QByteArray data;
    if (p.lines > 0) data.reserve(qsizetype(p.lines) * p.bytes_per_line);
    char chunk[65536];
    for (;;) {
        if (cancel && cancel->load()) {
            fail(u"Cancelled"_s);
            return QImage();
        }
        SANE_Int got = 0;
        status = sane_read(h, reinterpret_cast<SANE_Byte*>(chunk), sizeof chunk, &got);
        if (status == SANE_STATUS_EOF) break;
        if (status != SANE_STATUS_GOOD) {
            fail(u"The scan failed: %1"_s.arg(statusText(status)));
            return QImage();
        }
        if (data.size() + got > MaxPageBytes) {
            fail(u"The page is too large."_s);
            return QImage();
        }
        data.append(chunk, got);
    }
    const int lines = int(data.size() / p.bytes_per_line);
    QImage image = pictureOf(p, data, p.lines > 0 ? std::min(p.lines, lines) : lines);
    if (image.isNull()) fail(u"The scanner sends pages in a form this program cannot read."_s);
    return image;
}

bool Scanner::fail(const QString& text) {
    m_error = text;
    return false;
}

}  // namespace ov::platform
