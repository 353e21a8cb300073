#include "control/ovcom/runtime.h"

#include <dlfcn.h>

#include <QFile>
#include <mutex>

#include "control/ovcom/registration.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov::ovcom {

namespace {

std::mutex g_errorLock;
QString g_loadError;

void setLoadError(const QString& text) {
    const std::lock_guard guard(g_errorLock);
    g_loadError = text;
}

void* loadLibrary(const QString& path) {
    if (path.isEmpty() || !QFile::exists(path)) {
        setLoadError(u"No library at \""_s + path + u'"');
        return nullptr;
    }
    void* handle =
        dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) setLoadError(QString::fromLocal8Bit(dlerror()));
    return handle;
}

void* entryOf(void* handle, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol) setLoadError(u"The library has no entry point "_s + QLatin1StringView(name));
    return symbol;
}

}  // namespace

HRESULT CLSIDFromProgID(const QString& progId, Guid* clsid) {
    if (!clsid) return E_POINTER;
    if (progId.isEmpty()) return REGDB_E_CLASSNOTREG;
    const auto text = Registry::readString(Hive::ClassesRoot, progId + u"\\Clsid"_s);
    const auto guid = text ? Guid::fromString(*text) : std::nullopt;
    if (!guid) return REGDB_E_CLASSNOTREG;
    *clsid = *guid;
    return S_OK;
}

HRESULT CoGetClassObject(const Guid& clsid, const Guid& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    const auto path =
        Registry::readString(Hive::ClassesRoot, classKey(clsid) + u"\\InprocServer32"_s);
    if (!path || path->isEmpty()) return REGDB_E_CLASSNOTREG;
    void* handle = loadLibrary(*path);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(entryOf(handle, "DllGetClassObject"));
    if (!getClassObject) return CO_E_ERRORINDLL;
    return getClassObject(&clsid, &iid, object);
}

HRESULT CoCreateInstance(const Guid& clsid, const Guid& iid, void** object) {
    ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(clsid, IID_IClassFactory, factory.put());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, iid, object);
}

HRESULT CreateObject(const QString& progId, const Guid& iid, void** object) {
    if (object) *object = nullptr;
    Guid clsid;
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    return FAILED(hr) ? hr : CoCreateInstance(clsid, iid, object);
}

HRESULT CallLibraryEntry(const QString& libraryPath, const char* entry) {
    void* handle = loadLibrary(libraryPath);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto function = reinterpret_cast<DllEntryFn>(entryOf(handle, entry));
    return function ? function() : CO_E_ERRORINDLL;
}

QString lastLoadError() {
    const std::lock_guard guard(g_errorLock);
    return g_loadError;
}

}  // namespace ov::ovcom
