#include "documents/viewerchoice/viewerchoice.h"

#include "core/filetype.h"
#include "documents/cad/edrawings.h"
#include "documents/viewerchoice/filetyperelation.h"
#include "documents/viewerchoice/lists.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

int offerCount(const ViewerOffer& offer) {
    return (offer.autoVue ? 1 : 0) + (offer.eDrawings ? 1 : 0) + (offer.caxa ? 1 : 0);
}

// A remembered choice counts when it names a built-in previewer or one of the viewers that
// fit now; a viewer uninstalled since would otherwise open empty. The first entry that fits
// wins, so the choice made after such an entry is the one that stays.
bool rememberedFits(int style, const ViewerOffer& offer) {
    switch (style) {
        case VS_AutoVue:
            return offer.autoVue;
        case VS_EDrawings:
            return offer.eDrawings;
        case VS_Caxa:
            return offer.caxa;
        default:
            return style == VS_BuiltIn;
    }
}

TViewerStyle askUser(const QString& ext, const ViewerOffer& offer, const ViewerChoiceContext& ctx,
                     const std::optional<QString>& relation, bool* cancelled) {
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

std::optional<QString> AutoVueLibraryVersion(const ViewerEnvironment& env) {
    const auto classId = env.keyDefault(u"autovuex.autovuexctrl.1\\CLSID"_s);
    if (!classId) return std::nullopt;
    const auto library = env.keyDefault(u"CLSID\\"_s + *classId + u"\\InprocServer32"_s);
    if (!library || library->isEmpty()) return std::nullopt;
    return env.libraryVersion(*library);
}

bool BuiltInBeatsAutoVue(const QString& version, std::int32_t code) {
    if (version.isEmpty()) return IsInExtList(2, code);
    return CompareVersionTexts(version, u"20.0.0.0000"_s) < 0 && IsInExtList(1, code);
}

bool EDrawingsFits(const ViewerEnvironment& env, std::int32_t code) {
    return env.keyExists(u"EModelView.EModelViewApp\\CLSID"_s) &&
           env.keyExists(u"EModelView.EModelViewApp"_s) && IsCadExtCode(code);
}

bool CaxaFits(const ViewerEnvironment& env, std::int32_t code) {
    return code == FileExtToCode(u"dwg"_s) &&
           env.keyExists(u"TypeLib\\{EB107130-6BC3-4A16-B448-BFE6A4847EEF}"_s);
}

TViewerStyle ChooseAmongOffered(const QString& ext, const ViewerOffer& offer,
                                const ViewerChoiceContext& ctx, bool* cancelled) {
    if (cancelled) *cancelled = false;
    const std::optional<QString> relation = ReadFileTypeRelation(ctx.clientPath);
    if (relation) {
        for (int remembered : RememberedViewerStyles(*relation, ext))
            if (rememberedFits(remembered, offer)) return static_cast<TViewerStyle>(remembered);
    }
    return askUser(ext, offer, ctx, relation, cancelled);
}

QString GetEDrawingsVersion(const ViewerEnvironment& environment) {
    QString version;
    if (const auto classId = environment.keyDefault(u"EModelView.EModelViewApp\\CLSID"_s))
        version =
            environment.keyDefault(u"CLSID\\"_s + *classId + u"\\Version"_s).value_or(QString());
    if (!version.isEmpty()) return version;
    const auto control = environment.keyDefault(u"EModelView.EModelViewControl\\CLSID"_s);
    if (!control || control->isEmpty()) return {};
    const QString curVer =
        environment.keyDefault(u"EModelView.EModelViewControl\\CurVer"_s).value_or(QString());
    QStringList items;
    for (const QString& item : curVer.split(u'.')) {
        if (!item.trimmed().isEmpty()) items.append(item.trimmed());
    }
    return items.isEmpty() ? QString() : items.last();
}

TViewerStyle ChooseViewer(const QString& ext, std::int32_t code, const ViewerChoiceContext& ctx,
                          bool* cancelled) {
    if (cancelled) *cancelled = false;
    const ViewerEnvironment& env = ctx.environment ? *ctx.environment : systemViewerEnvironment();

    if (IsInExtList(3, code)) {
        const QString version = env.officeVersion(OfficeApplicationOf(ext));
        if (OfficeVersionAtLeast12(version)) return VS_BuiltIn;
        if (!version.isEmpty() && (ext == u"doc"_s || ext == u"xls"_s || ext == u"ppt"_s))
            return VS_BuiltIn;
    }
    if ((ext == u"pdf"_s || ext == u"ai"_s) && env.pdfViewerType() > 0) return VS_BuiltIn;
    if (IsFixedBuiltInExt(ext)) return VS_BuiltIn;

    ViewerOffer offer;
    if (const auto version = AutoVueLibraryVersion(env)) {
        if (BuiltInBeatsAutoVue(*version, code)) return VS_BuiltIn;
        offer.autoVue = true;
    }
    offer.eDrawings = EDrawingsFits(env, code);
    offer.caxa = CaxaFits(env, code);

    if (offerCount(offer) >= 2) return ChooseAmongOffered(ext, offer, ctx, cancelled);
    if (offer.autoVue) return VS_AutoVue;
    if (offer.eDrawings) return VS_EDrawings;
    if (offer.caxa) return VS_Caxa;
    return IsInExtList(2, code) ? VS_BuiltIn : VS_None;
}

}  // namespace ov
