#pragma once
// Which viewer shows a server file: the built-in previewers, AutoVue, eDrawings or CAXA, with
// the user's remembered choice ("FileTypeRelation.txt") and the choice dialog. OvClient's
// preview command and the control's viewer members both decide here. Everything the choice asks
// of the machine (office version, PDF reader, registered viewers) goes through a
// ViewerEnvironment, and the question to the user through a ViewerAsk, so tests script both.

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/types.h"

class QWidget;

namespace ov {

enum TViewerStyle : std::uint8_t {
    VS_None = 0,
    VS_AutoVue = 1,
    VS_BuiltIn = 2,
    VS_EDrawings = 3,
    VS_Caxa = 4
};

// The machine's answers the choice relies on. systemViewerEnvironment() gives the real ones.
class ViewerEnvironment {
public:
    virtual ~ViewerEnvironment() = default;
    // The installed office version for Word (1), Excel (2) or PowerPoint (3): "V" + number
    // ("V16"), "VNotExists", "VNotOpen", or "" when the registered version is not a number.
    virtual QString officeVersion(int application) const = 0;
    // Which PDF reader control is installed: 0 none, 1 the preferred one, 2, 3 the others.
    virtual int pdfViewerType() const = 0;
    // Whether the key below HKEY_CLASSES_ROOT exists (through the viewer probe).
    virtual bool keyExists(const QString& key) const = 0;
    // The key's default value; nullopt when the key does not exist or cannot be read.
    virtual std::optional<QString> keyDefault(const QString& key) const = 0;
    // The version "a.b.c.d" of a library file; nullopt when the file is missing, "" when it
    // has no version.
    virtual std::optional<QString> libraryVersion(const QString& path) const = 0;
};

const ViewerEnvironment& systemViewerEnvironment();

// The user's answer in the viewer-choice dialog.
struct ViewerAnswer {
    std::uint8_t style = 0;  // 1 AutoVue, 3 eDrawings, 4 CAXA; 0 cancelled
    bool always = false;     // remember the choice for this extension
};

// The viewers that fit, as offered in the dialog.
struct ViewerOffer {
    bool autoVue = false;
    bool eDrawings = false;
    bool caxa = false;
};

// Asks the user; the default shows the choice dialog modally over the owner.
using ViewerAsk = std::function<ViewerAnswer(const ViewerOffer& offer)>;
ViewerAsk dialogViewerAsk(QWidget* owner, THS_Language language);

struct ViewerChoiceContext {
    QString clientPath;  // where "FileTypeRelation.txt" lives, ending with "/"
    const ViewerEnvironment* environment = nullptr;  // null: the system's
    ViewerAsk ask;                                   // empty: VS_None when asking is needed
};

// The steps of the choice, one rule each, for the callers that decide in their own order
// (the control's CheckAvX).
//
// The version of the registered AutoVue control library; nullopt when AutoVue is not
// registered or its library is missing, "" when the library has no version.
std::optional<QString> AutoVueLibraryVersion(const ViewerEnvironment& environment);
// Whether the built-in previewer beats that AutoVue for the code: a library without version
// for the files the previewers show, one older than 20 for the newer Office formats.
bool BuiltInBeatsAutoVue(const QString& version, std::int32_t code);
bool EDrawingsFits(const ViewerEnvironment& environment, std::int32_t code);
bool CaxaFits(const ViewerEnvironment& environment, std::int32_t code);
// The registered eDrawings version text: the application's class version, else the last
// part of the control's current ProgID ("15" of "EModelView.EModelViewControl.15"); "" when
// none is found.
QString GetEDrawingsVersion(const ViewerEnvironment& environment);
// With two or more outside viewers offered: the remembered choice for the extension that still
// fits, else the user's answer (remembered when asked to). VS_None when the user cancelled.
TViewerStyle ChooseAmongOffered(const QString& ext, const ViewerOffer& offer,
                                const ViewerChoiceContext& ctx, bool* cancelled = nullptr);

// Which kind of viewer shows a file with this extension text (lower case, no dot) and code.
// When the user closes the choice dialog without choosing, the result is VS_None and
// `cancelled` (when given) is set.
TViewerStyle ChooseViewer(const QString& ext, std::int32_t code, const ViewerChoiceContext& ctx,
                          bool* cancelled = nullptr);

}  // namespace ov
