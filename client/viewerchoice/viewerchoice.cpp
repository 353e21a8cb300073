#include "client/viewerchoice/viewerchoice.h"

#include <QWidget>

#include "client/viewerchoice/open.h"
#include "core/filetype.h"
#include "core/paths.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The extension code; a numbered extension ("x.prt.3") stands for the part or assembly it
// numbers.
std::int32_t previewCode(const QString& fileName, const QString& ext) {
    bool isNumber = false;
    ext.toLongLong(&isNumber);
    if (isNumber) {
        if (fileName.contains(u".asm"_s)) return FileExtToCode(u"asm"_s);
        if (fileName.contains(u".prt"_s)) return FileExtToCode(u"prt"_s);
    }
    return FileExtToCode(ext);
}

std::optional<PreviewRequest> readRequest(const QString& cmd) {
    PreviewRequest request;
    bool ok = false;
    request.fileKey = ReadTagValue(cmd, u"filekey"_s).toLongLong(&ok);
    if (!ok || request.fileKey == 0) return std::nullopt;
    request.fileVer = ReadTagValue(cmd, u"filever"_s).toInt(&ok);
    if (!ok) request.fileVer = -1;
    request.fileName = ReadTagValue(cmd, u"filename"_s);
    request.options = ReadTagValue(cmd, u"ctparams"_s);
    request.ext = ExtractFileExtNoDot(request.fileName).toLower();
    request.code = previewCode(request.fileName, request.ext);
    return request;
}

}  // namespace

QString DoPreview(const QString& cmd, PreviewHost& host) {
    return DoPreview(cmd, host, systemViewerEnvironment(),
                     dialogViewerAsk(host.mainWindow(), host.language()));
}

QString DoPreview(const QString& cmd, PreviewHost& host, const ViewerEnvironment& environment,
                  const ViewerAsk& ask) {
    const auto request = readRequest(cmd);
    if (!request) return u"File parameter error!"_s;
    bool cancelled = false;
    const ViewerChoiceContext ctx{host.clientPath(), &environment, ask};
    switch (ChooseViewer(request->ext, request->code, ctx, &cancelled)) {
        case VS_BuiltIn:
            return OpenBuiltInPreview(*request, host, environment);
        case VS_EDrawings:
            return OpenEDrawings(*request, host, GetEDrawingsVersion(environment));
        case VS_AutoVue:
            return OpenAutoVue(*request, host);
        case VS_None:
        case VS_Caxa:
            break;
    }
    return cancelled ? QString() : ViewerInstallText(host.language());
}

}  // namespace ov
