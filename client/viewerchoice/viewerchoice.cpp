#include "client/viewerchoice/viewerchoice.h"

#include <QWidget>

#include "client/viewerchoice/filetyperelation.h"
#include "client/viewerchoice/lists.h"
#include "client/viewerchoice/open.h"
#include "core/filetype.h"
#include "core/paths.h"
#include "core/tagtext.h"
#include "documents/cad/edrawings.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr std::uint8_t kFlagAutoVue = 2;
constexpr std::uint8_t kFlagEDrawings = 8;
constexpr std::uint8_t kFlagCaxa = 16;

// AutoVue: present when its control library exists. Newer files stay with the built-in
// previewers when the library is older than 20 or has no version.
std::optional<TViewerStyle> probeAutoVue(const ViewerEnvironment& env, std::int32_t code,
                                         std::uint8_t& flags) {
    const auto classId = env.keyDefault(u"autovuex.autovuexctrl.1\\CLSID"_s);
    if (!classId) return std::nullopt;
    const auto library = env.keyDefault(u"CLSID\\"_s + *classId + u"\\InprocServer32"_s);
    if (!library || library->isEmpty()) return std::nullopt;
    const auto version = env.libraryVersion(*library);
    if (!version) return std::nullopt;
    if (version->isEmpty() && IsInExtList(2, code)) return VS_BuiltIn;
    if (CompareVersionTexts(*version, u"20.0.0.0000"_s) < 0 && IsInExtList(1, code))
        return VS_BuiltIn;
    flags |= kFlagAutoVue;
    return std::nullopt;
}

bool eDrawingsFits(const ViewerEnvironment& env, std::int32_t code) {
    return env.keyExists(u"EModelView.EModelViewApp\\CLSID"_s) &&
           env.keyExists(u"EModelView.EModelViewApp"_s) && IsCadExtCode(code);
}

bool caxaFits(const ViewerEnvironment& env, const QString& ext) {
    return ext == u"dwg"_s && env.keyExists(u"TypeLib\\{EB107130-6BC3-4A16-B448-BFE6A4847EEF}"_s);
}

int flagCount(std::uint8_t flags) {
    return ((flags & kFlagAutoVue) ? 1 : 0) + ((flags & kFlagEDrawings) ? 1 : 0) +
           ((flags & kFlagCaxa) ? 1 : 0);
}

// A remembered choice counts when it names a built-in previewer or one of the viewers that
// fit now; a viewer uninstalled since would otherwise open empty. The first entry that fits
// wins, so the choice made after such an entry is the one that stays.
bool rememberedFits(int style, std::uint8_t flags) {
    switch (style) {
        case VS_AutoVue:
            return flags & kFlagAutoVue;
        case VS_EDrawings:
            return flags & kFlagEDrawings;
        case VS_Caxa:
            return flags & kFlagCaxa;
        default:
            return style == VS_BuiltIn;
    }
}

TViewerStyle askUser(const QString& ext, std::uint8_t flags, const ViewerChoiceContext& ctx,
                     const std::optional<QString>& relation, bool* cancelled) {
    const ViewerOffer offer{(flags & kFlagAutoVue) != 0, (flags & kFlagEDrawings) != 0,
                            (flags & kFlagCaxa) != 0};
    const ViewerAnswer answer = ctx.ask ? ctx.ask(offer) : ViewerAnswer{};
    const bool offered = (answer.style == VS_AutoVue && offer.autoVue) ||
                         (answer.style == VS_EDrawings && offer.eDrawings) ||
                         (answer.style == VS_Caxa && offer.caxa);
    if (!offered) {
        if (cancelled) *cancelled = true;
        return VS_None;
    }
    // A file that exists but could not be read is not overwritten: its entries would be lost.
    if (answer.always && relation)
        AppendFileTypeRelation(ctx.clientPath, *relation, ext, answer.style);
    return static_cast<TViewerStyle>(answer.style);
}

}  // namespace

TViewerStyle ChooseViewer(const QString& ext, std::int32_t code, const ViewerChoiceContext& ctx,
                          bool* cancelled) {
    if (cancelled) *cancelled = false;
    const ViewerEnvironment& env = ctx.environment ? *ctx.environment : systemViewerEnvironment();
    const std::optional<QString> relation = ReadFileTypeRelation(ctx.clientPath);

    if (IsInExtList(3, code)) {
        const QString version = env.officeVersion(OfficeApplicationOf(ext));
        if (OfficeVersionAtLeast12(version)) return VS_BuiltIn;
        if (!version.isEmpty() && (ext == u"doc"_s || ext == u"xls"_s || ext == u"ppt"_s))
            return VS_BuiltIn;
    }
    if ((ext == u"pdf"_s || ext == u"ai"_s) && env.pdfViewerType() > 0) return VS_BuiltIn;
    if (IsFixedBuiltInExt(ext)) return VS_BuiltIn;

    std::uint8_t flags = 0;
    if (const auto early = probeAutoVue(env, code, flags)) return *early;
    if (eDrawingsFits(env, code)) flags |= kFlagEDrawings;
    if (caxaFits(env, ext)) flags |= kFlagCaxa;

    if (flagCount(flags) >= 2) {
        if (relation) {
            for (int remembered : RememberedViewerStyles(*relation, ext))
                if (rememberedFits(remembered, flags)) return static_cast<TViewerStyle>(remembered);
        }
        return askUser(ext, flags, ctx, relation, cancelled);
    }
    if (flags == kFlagAutoVue) return VS_AutoVue;
    if (flags == kFlagEDrawings) return VS_EDrawings;
    if (flags == kFlagCaxa) return VS_Caxa;
    return IsInExtList(2, code) ? VS_BuiltIn : VS_None;
}

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
