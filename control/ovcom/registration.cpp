#include "control/ovcom/registration.h"

#include <QFileInfo>

#include "platform/registry.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov::ovcom {

namespace {

bool put(const QString& key, const QString& value, const QString& name = {}) {
    return Registry::createKey(Hive::ClassesRoot, key) &&
           Registry::writeString(Hive::ClassesRoot, key, name, value);
}

bool makeKey(const QString& key) {
    return Registry::createKey(Hive::ClassesRoot, key);
}

// Removes the key when it holds no sub-key and no value.
void pruneEmpty(const QString& key) {
    if (Registry::keyExists(Hive::ClassesRoot, key) &&
        Registry::subKeyNames(Hive::ClassesRoot, key).isEmpty() &&
        Registry::valueNames(Hive::ClassesRoot, key).isEmpty())
        Registry::deleteKey(Hive::ClassesRoot, key);
}

bool writeClassKeys(const ServerRegistration& s) {
    const QString key = classKey(s.clsid);
    const QString server = key + u"\\InprocServer32"_s;
    bool ok = put(key, s.description);
    ok = put(server, s.libraryPath) && ok;
    ok = put(server, s.threadingModel, u"ThreadingModel"_s) && ok;
    ok = put(key + u"\\ProgID"_s, s.progId) && ok;
    ok = put(key + u"\\TypeLib"_s, s.libid.toString()) && ok;
    ok = put(key + u"\\Version"_s, s.version) && ok;
    if (!s.control) return ok;
    ok = put(key + u"\\MiscStatus"_s, u"0"_s) && ok;
    ok = put(key + u"\\MiscStatus\\1"_s, QString::number(s.miscStatus)) && ok;
    ok = put(key + u"\\ToolboxBitmap32"_s,
             s.libraryPath + u',' + QString::number(s.toolboxBitmap)) &&
         ok;
    ok = makeKey(key + u"\\Control"_s) && ok;
    ok = makeKey(key + u"\\Verb"_s) && ok;
    for (qsizetype i = 0; i < s.verbs.size(); ++i)
        ok = put(key + u"\\Verb\\"_s + QString::number(i), s.verbs[i]) && ok;
    return ok;
}

QString typeLibKey(const TypeLibInfo& lib) {
    return u"TypeLib\\"_s + lib.libid.toString();
}

}  // namespace

QString classKey(const Guid& clsid) {
    return u"CLSID\\"_s + clsid.toString();
}

HRESULT registerServer(const ServerRegistration& s) {
    bool ok = writeClassKeys(s);
    ok = put(s.progId, s.description) && ok;
    ok = put(s.progId + u"\\Clsid"_s, s.clsid.toString()) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregisterServer(const ServerRegistration& s) {
    const QString key = classKey(s.clsid);
    bool ok = true;
    for (const QString& sub : {u"\\Verb"_s, u"\\Control"_s, u"\\InprocServer32"_s})
        ok = Registry::deleteKey(Hive::ClassesRoot, key + sub) && ok;
    ok = Registry::deleteKey(Hive::ClassesRoot, s.progId) && ok;
    ok = Registry::deleteKey(Hive::ClassesRoot, key) && ok;
    pruneEmpty(u"CLSID"_s);
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT registerTypeLib(const TypeLibInfo& lib, const QString& libraryPath) {
    const QString key = typeLibKey(lib) + u'\\' + lib.versionText();
    bool ok = put(key, lib.helpString);
    ok = put(key + u"\\"_s + QString::number(lib.locale, 16) + u"\\win32"_s, libraryPath) && ok;
    ok = put(key + u"\\FLAGS"_s, QString::number(lib.flags)) && ok;
    ok = put(key + u"\\HELPDIR"_s, QFileInfo(libraryPath).absolutePath()) && ok;
    for (const TypeInfo* type : lib.types) {
        if (type->kind != TypeKind::Interface && type->kind != TypeKind::Dispatch) continue;
        const QString iface = u"Interface\\"_s + type->guid.toString();
        ok = put(iface, type->name) && ok;
        ok = put(iface + u"\\ProxyStubClsid32"_s, CLSID_PSDispatch.toString()) && ok;
        ok = put(iface + u"\\TypeLib"_s, lib.libid.toString()) && ok;
        ok = put(iface + u"\\TypeLib"_s, lib.versionText(), u"Version"_s) && ok;
    }
    return ok ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT unregisterTypeLib(const TypeLibInfo& lib) {
    bool ok = Registry::deleteKey(Hive::ClassesRoot, typeLibKey(lib) + u'\\' + lib.versionText());
    pruneEmpty(typeLibKey(lib));
    for (const TypeInfo* type : lib.types)
        if (type->kind == TypeKind::Interface || type->kind == TypeKind::Dispatch)
            ok = Registry::deleteKey(Hive::ClassesRoot, u"Interface\\"_s + type->guid.toString()) &&
                 ok;
    pruneEmpty(u"TypeLib"_s);
    pruneEmpty(u"Interface"_s);
    return ok ? S_OK : SELFREG_E_TYPELIB;
}

}  // namespace ov::ovcom
