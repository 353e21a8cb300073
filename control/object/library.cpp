// The library's entry points: the class factory of QuexFormX, the unload check, and the
// registration of the control and its type library in the registry store.

#include <dlfcn.h>

#include <QFileInfo>

#include "control/object/iquexformx.h"
#include "control/object/quexformx.h"
#include "control/object/typelib.h"
#include "control/ovcom/registration.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::control;

namespace {

// OLEMISC_SIMPLEFRAME | OLEMISC_ACTSLIKELABEL and the framework's fixed bits.
constexpr std::uint32_t kMiscStatus = 0x12000 | 0x20191;

ovcom::ClassFactory& Factory() {
    static ovcom::ClassFactory factory(CLSID_QuexFormX, ModuleCounts(), &TQuexFormX::Create);
    return factory;
}

QString LibraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryPath), &info) == 0 || !info.dli_fname) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

ovcom::ServerRegistration Registration() {
    const ovcom::TypeLibInfo& lib = OvCtrlTypeLib();
    ovcom::ServerRegistration r;
    r.clsid = CLSID_QuexFormX;
    r.progId = QString::fromUtf16(TQuexFormX::kProgId);
    r.description = QuexFormXClassInfo().helpString;
    r.libraryPath = LibraryPath();
    r.threadingModel = u"Apartment"_s;
    r.version = lib.versionText();
    r.libid = lib.libid;
    r.miscStatus = kMiscStatus;
    r.toolboxBitmap = 1;
    r.verbs = {u"Properties,0,2"_s};
    return r;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) ovcom::HRESULT DllGetClassObject(const ovcom::Guid* clsid,
                                                                        const ovcom::Guid* iid,
                                                                        void** object) {
    if (!clsid || !iid) return ovcom::E_POINTER;
    return Factory().getClassObject(*clsid, *iid, object);
}

__attribute__((visibility("default"))) ovcom::HRESULT DllCanUnloadNow() {
    return ModuleCounts().canUnload() ? ovcom::S_OK : ovcom::S_FALSE;
}

__attribute__((visibility("default"))) ovcom::HRESULT DllRegisterServer() {
    const ovcom::ServerRegistration r = Registration();
    const ovcom::HRESULT hr = ovcom::registerTypeLib(OvCtrlTypeLib(), r.libraryPath);
    return ovcom::FAILED(hr) ? hr : ovcom::registerServer(r);
}

__attribute__((visibility("default"))) ovcom::HRESULT DllUnregisterServer() {
    const ovcom::HRESULT hr = ovcom::unregisterServer(Registration());
    const ovcom::HRESULT lib = ovcom::unregisterTypeLib(OvCtrlTypeLib());
    return ovcom::FAILED(hr) ? hr : lib;
}

}  // extern "C"
