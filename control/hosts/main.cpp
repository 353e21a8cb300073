// ovctrl-host: registers a control library, or runs a page's script against the control.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QTextStream>

#include "control/hosts/scripthost.h"
#include "control/ovcom/runtime.h"

using namespace Qt::StringLiterals;

namespace {

int usage() {
    QTextStream(stderr) << "usage: ovctrl-host --register LIBRARY | --unregister LIBRARY | "
                           "SCRIPT.js [ARGUMENTS...]\n";
    return 2;
}

int callEntry(const QString& library, const char* entry) {
    const QString path = QFileInfo(library).absoluteFilePath();
    const ov::ovcom::HRESULT hr = ov::ovcom::CallLibraryEntry(path, entry);
    QTextStream out(hr == ov::ovcom::S_OK ? stdout : stderr);
    out << entry << " " << path << ": 0x"
        << QString::number(static_cast<quint32>(hr), 16).rightJustified(8, u'0');
    if (!ov::ovcom::lastLoadError().isEmpty() && ov::ovcom::FAILED(hr))
        out << " (" << ov::ovcom::lastLoadError() << ")";
    out << Qt::endl;
    return hr == ov::ovcom::S_OK ? 0 : 1;
}

int runScript(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(2);
    QFile file(app.arguments().at(1));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 16 * 1024 * 1024) {
        QTextStream(stderr) << "cannot read " << file.fileName() << Qt::endl;
        return 2;
    }
    const QString source = QString::fromUtf8(file.readAll());
    QJSEngine engine;
    engine.installExtensions(QJSEngine::ConsoleExtension);
    auto host = std::make_unique<ov::hosts::ScriptHost>(engine, args);
    const bool ok = host->run(file.fileName(), source);
    host.reset();
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (first == u"--register"_s || first == u"--unregister"_s) {
        if (argc != 3) return usage();
        QCoreApplication app(argc, argv);
        return callEntry(QString::fromLocal8Bit(argv[2]),
                         first == u"--register"_s ? "DllRegisterServer" : "DllUnregisterServer");
    }
    return runScript(argc, argv);
}

// The font and D-Bus libraries keep allocations they never free; leak-checking builds are told
// to ignore them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
