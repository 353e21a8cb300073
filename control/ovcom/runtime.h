#pragma once
// Creating objects through the registry store, as a host does: ProgID -> CLSID -> the
// library registered for it -> its DllGetClassObject -> the class factory. Libraries stay
// loaded for the life of the process (the widgets and types they registered with the toolkit
// may outlive their objects).

#include <QString>

#include "control/ovcom/unknown.h"

namespace ov::ovcom {

// The entry points a server library exports (C names).
using DllGetClassObjectFn = HRESULT (*)(const Guid* clsid, const Guid* iid, void** object);
using DllEntryFn = HRESULT (*)();

// REGDB_E_CLASSNOTREG when the ProgID is not registered or names no valid CLSID.
HRESULT CLSIDFromProgID(const QString& progId, Guid* clsid);

// REGDB_E_CLASSNOTREG when the class has no library; CO_E_DLLNOTFOUND when the library cannot
// be loaded; CO_E_ERRORINDLL when it lacks the entry point.
HRESULT CoGetClassObject(const Guid& clsid, const Guid& iid, void** object);
HRESULT CoCreateInstance(const Guid& clsid, const Guid& iid, void** object);
HRESULT CreateObject(const QString& progId, const Guid& iid, void** object);

// Loads the library and calls one of its entry points without arguments ("DllRegisterServer",
// "DllUnregisterServer", "DllCanUnloadNow").
HRESULT CallLibraryEntry(const QString& libraryPath, const char* entry);

// The text of the last loader error (for messages).
QString lastLoadError();

}  // namespace ov::ovcom
