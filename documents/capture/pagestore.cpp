#include "documents/capture/pagestore.h"

#include "core/paths.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace ov {

TPageStore::TPageStore()
    : m_dir(std::make_unique<QTemporaryDir>(GetLocalTempPath() + u"ovscan-XXXXXX"_s)) {}

TPageStore::~TPageStore() = default;

bool TPageStore::IsValid() const {
    return m_dir->isValid();
}

QString TPageStore::FileName(int index) const {
    return m_dir->filePath(u"ovscan_%1.bmp"_s.arg(index));
}

QString TPageStore::OriginalName(int index) const {
    return m_dir->filePath(u"ovscan_%1.orig.bmp"_s.arg(index));
}

bool TPageStore::Add(const QImage& page) {
    if (!IsValid() || page.isNull()) return false;
    const QImage rgb = page.convertToFormat(QImage::Format_RGB888);
    if (!rgb.save(OriginalName(m_count), "BMP") || !rgb.save(FileName(m_count), "BMP"))
        return false;
    ++m_count;
    return true;
}

QImage TPageStore::Page(int index) const {
    if (index < 0 || index >= m_count) return {};
    return QImage(FileName(index), "BMP").convertToFormat(QImage::Format_RGB888);
}

QImage TPageStore::Original(int index) const {
    if (index < 0 || index >= m_count) return {};
    return QImage(OriginalName(index), "BMP").convertToFormat(QImage::Format_RGB888);
}

bool TPageStore::Replace(int index, const QImage& page) {
    if (index < 0 || index >= m_count) return false;
    return page.save(FileName(index), "BMP");
}

void TPageStore::Clear() {
    for (int i = 0; i < m_count; ++i) {
        QFile::remove(FileName(i));
        QFile::remove(OriginalName(i));
    }
    m_count = 0;
}

}  // namespace ov
