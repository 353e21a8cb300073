#include "platform/viewerprobe.h"

#include <algorithm>

#include "platform/registry.h"

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// Keys in one form: upper case, without a leading separator.
QString normalKey(const QString& key) {
    QString k = key.trimmed().toUpper();
    while (k.startsWith(u'\\'))
        k.remove(0, 1);
    return k;
}

QString controlKey(const char16_t* classId) {
    return u"CLSID\\"_s + QString::fromUtf16(classId) + u"\\Control"_s;
}

QString twin(const QString& key) {
    return u"Wow6432Node\\"_s + key;
}

// The keys the built-in viewer registers: the preferred reader's class and its newer type
// library (the built-in viewer offers everything the previewers use of that generation).
bool isBuiltInKey(const QString& key) {
    const QString classKey = u"CLSID\\"_s + QString::fromUtf16(kPdfReaderClassId);
    static const QStringList keys = {
        normalKey(classKey), normalKey(classKey + u"\\Control"_s),
        normalKey(u"TypeLib\\"_s + QString::fromUtf16(kPdfReaderTypeLib7))};
    return keys.contains(key);
}

// Readers with no counterpart on this system: their controls cannot be created here, whatever
// the registry store says.
bool hasNoCounterpart(const QString& key) {
    static const QStringList ids = {
        QString::fromUtf16(kPdfReaderTypeLib5),
        QString::fromUtf16(kFoxitReaderClassId),
        QString::fromUtf16(kSursenReaderClassId),
        u"{2CF3F79E-4B63-48C6-B368-EE611B7024ED}"_s,  // CEB viewer
        u"CEBVIEWER."_s,
        u"{78E87ACB-656E-4257-961D-3FADBE77A626}"_s,  // CAJ viewer and its type library
        u"{0F293662-B5FB-4482-8F9D-D99BF4F0235E}"_s,
        u"{79C2DC50-1B7C-4DFE-B106-C976F56C521B}"_s,  // CAXA viewer and its type library
        u"{EB107130-6BC3-4A16-B448-BFE6A4847EEF}"_s,
        u"{DDC2B9A5-F981-11D3-8830-52544CBA783B}"_s,  // GWD viewer
        u"VIEWGWD."_s,
        u"{B6FCC215-D303-11D1-BC6C-0000C078797F}"_s,  // AutoVue
        u"{38EA7638-39D0-44F8-AA3D-E64505B2E6E0}"_s,  // eDrawings generations
        u"{63D5E286-8FC6-46AE-9DD5-2C23DD25E48C}"_s,
        u"{4422EAD2-7593-4E5A-B6EE-7C0A49322991}"_s,
    };
    return std::any_of(ids.begin(), ids.end(),
                       [&](const QString& id) { return key.contains(id.toUpper()); });
}

std::unique_ptr<ViewerProbe>& replacedProbe() {
    static std::unique_ptr<ViewerProbe> probe;
    return probe;
}

}  // namespace

bool SystemViewerProbe::classKeyExists(const QString& key) const {
    const QString k = normalKey(key);
    if (k.isEmpty()) return false;
    if (isBuiltInKey(k)) return true;
    if (hasNoCounterpart(k)) return false;
    return Registry::keyExists(Hive::ClassesRoot, k);
}

QString SystemViewerProbe::readerVersion(const QString& classId) const {
    if (classId.compare(QString::fromUtf16(kPdfReaderClassId), Qt::CaseInsensitive) == 0)
        return builtInViewerVersion();
    return {};
}

QString SystemViewerProbe::builtInViewerVersion() {
    return QStringLiteral(OV_FILE_VERSION);
}

void ScriptedViewerProbe::setKey(const QString& key, bool exists) {
    m_keys[normalKey(key)] = exists;
}

void ScriptedViewerProbe::setReaderVersion(const QString& classId, const QString& version) {
    m_versions[classId.toUpper()] = version;
}

bool ScriptedViewerProbe::classKeyExists(const QString& key) const {
    m_asked.append(key);
    const auto it = m_keys.find(normalKey(key));
    return it != m_keys.end() && it->second;
}

QString ScriptedViewerProbe::readerVersion(const QString& classId) const {
    const auto it = m_versions.find(classId.toUpper());
    return it == m_versions.end() ? QString() : it->second;
}

const ViewerProbe& viewerProbe() {
    static const SystemViewerProbe system;
    const auto& replaced = replacedProbe();
    if (replaced) return *replaced;
    return system;
}

void setViewerProbe(std::unique_ptr<ViewerProbe> probe) {
    replacedProbe() = std::move(probe);
}

namespace {

bool keyOrTwin(const ViewerProbe& probe, const QString& key) {
    return probe.classKeyExists(key) || probe.classKeyExists(twin(key));
}

}  // namespace

int pdfViewerType(const ViewerProbe& probe) {
    if (keyOrTwin(probe, controlKey(kPdfReaderClassId))) return 1;
    if (keyOrTwin(probe, controlKey(kSursenReaderClassId))) return 3;
    if (keyOrTwin(probe, u"CLSID\\"_s + QString::fromUtf16(kFoxitReaderClassId))) return 2;
    return 0;
}

PdfReaderVersion pdfReaderVersion(const ViewerProbe& probe) {
    PdfReaderVersion result;
    if (probe.classKeyExists(u"TypeLib\\"_s + QString::fromUtf16(kPdfReaderTypeLib7)))
        result.typeLibVersion = u"V7"_s;
    else if (probe.classKeyExists(u"TypeLib\\"_s + QString::fromUtf16(kPdfReaderTypeLib5)))
        result.typeLibVersion = u"V5"_s;
    result.version = probe.readerVersion(QString::fromUtf16(kPdfReaderClassId));
    return result;
}

bool sursenReaderInstalled(const ViewerProbe& probe) {
    return keyOrTwin(probe, controlKey(kSursenReaderClassId));
}

}  // namespace ov::platform
