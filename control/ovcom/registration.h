#pragma once
// Registration of an in-process server and its type library in the registry store (classes
// hive). Unregistration removes every key that registration wrote, and the shared parent keys
// ("CLSID", "TypeLib", "Interface") when nothing else is left in them.

#include <QString>
#include <QStringList>

#include "control/ovcom/guid.h"
#include "control/ovcom/hresult.h"
#include "control/ovcom/typeinfo.h"

namespace ov::ovcom {

struct ServerRegistration {
    Guid clsid;
    QString progId;
    QString description;
    QString libraryPath;  // full path of the library file
    QString threadingModel;
    QString version;  // "major.minor" of the type library
    Guid libid;
    std::uint32_t miscStatus = 0;
    int toolboxBitmap = 1;
    QStringList verbs;  // "name,flags,attributes" by verb number
    bool control = true;
};

// The class key "CLSID\{...}".
QString classKey(const Guid& clsid);

// SELFREG_E_CLASS when a key could not be written.
HRESULT registerServer(const ServerRegistration& server);
HRESULT unregisterServer(const ServerRegistration& server);

// "TypeLib\{LIBID}\major.minor" with the library's help string, its file (below "0\win32"),
// flags and folder, and "Interface\{IID}" for every interface that it describes.
HRESULT registerTypeLib(const TypeLibInfo& lib, const QString& libraryPath);
HRESULT unregisterTypeLib(const TypeLibInfo& lib);

}  // namespace ov::ovcom
