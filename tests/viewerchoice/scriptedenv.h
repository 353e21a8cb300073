#pragma once
// A machine for the viewer choice that answers what the test sets: registry keys through the
// scripted viewer probe, their default values, library versions, the office version and the
// PDF reader.

#include <QString>
#include <map>

#include "documents/viewerchoice/viewerchoice.h"
#include "platform/viewerprobe.h"

namespace ov::test {

inline const QString kAutoVueId = QStringLiteral("{B6FCC215-D303-11D1-BC6C-0000C078797F}");
inline const QString kAutoVueLibrary = QStringLiteral("C:\\AutoVue\\avx.dll");

class ScriptedEnvironment : public ViewerEnvironment {
public:
    QString office;  // the office version of every application
    int pdf = 0;
    platform::ScriptedViewerProbe probe;
    std::map<QString, QString> defaults;     // default values by key
    std::map<QString, QString> libraries;    // versions by library path
    mutable std::map<int, int> officeAsked;  // application -> times asked

    void setDefault(const QString& key, const QString& value) {
        probe.setKey(key);
        defaults[key.toUpper()] = value;
    }
    // AutoVue with its library of that version ("" a library without a version).
    void installAutoVue(const QString& version) {
        setDefault(QStringLiteral("autovuex.autovuexctrl.1\\CLSID"), kAutoVueId);
        setDefault(QStringLiteral("CLSID\\") + kAutoVueId + QStringLiteral("\\InprocServer32"),
                   kAutoVueLibrary);
        libraries[kAutoVueLibrary] = version;
    }
    void installEDrawings() {
        probe.setKey(QStringLiteral("EModelView.EModelViewApp\\CLSID"));
        probe.setKey(QStringLiteral("EModelView.EModelViewApp"));
    }
    // eDrawings whose control registers the version as "EModelView.EModelViewControl.<n>".
    void installEDrawingsVersion(const QString& curVer) {
        installEDrawings();
        setDefault(QStringLiteral("EModelView.EModelViewControl\\CLSID"), QStringLiteral("{X}"));
        setDefault(QStringLiteral("EModelView.EModelViewControl\\CurVer"), curVer);
    }
    void installCaxa() {
        probe.setKey(QStringLiteral("TypeLib\\{EB107130-6BC3-4A16-B448-BFE6A4847EEF}"));
    }

    QString officeVersion(int application) const override {
        ++officeAsked[application];
        return office;
    }
    int pdfViewerType() const override { return pdf; }
    bool keyExists(const QString& key) const override { return probe.classKeyExists(key); }
    std::optional<QString> keyDefault(const QString& key) const override {
        if (!probe.classKeyExists(key)) return std::nullopt;
        const auto it = defaults.find(key.toUpper());
        return it == defaults.end() ? QString() : it->second;
    }
    std::optional<QString> libraryVersion(const QString& path) const override {
        const auto it = libraries.find(path);
        if (it == libraries.end()) return std::nullopt;
        return it->second;
    }
};

}  // namespace ov::test
