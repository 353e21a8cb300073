#pragma once
// Preview of a server file (web command 13): which viewer shows the file, and opening it.
//
// The dispatcher hands its context over as a PreviewHost (main window, shared hint window,
// remembered window rectangle, its form list); DoPreview returns the error text, which the
// dispatcher shows in its hint window as it does for every handler. Everything the choice asks
// of the machine (office version, PDF reader, registered viewers) goes through a
// ViewerEnvironment, and the question to the user through a ViewerAsk, so tests script both.

#include <QPointer>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/types.h"

class QWidget;

namespace ov {

class TPreViewHint;

enum TViewerStyle : std::uint8_t {
    VS_None = 0,
    VS_AutoVue = 1,
    VS_BuiltIn = 2,
    VS_EDrawings = 3,
    VS_Caxa = 4
};

// What the dispatcher lends to a preview. The dispatcher owns all of it.
class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    // Owner of every viewer window (the windows are free windows, not children).
    virtual QWidget* mainWindow() const = 0;
    // The shared wait/error window; may be null in tests (then nothing is shown there).
    virtual TPreViewHint* hintWindow() const = 0;
    // Where every viewer window is placed (left, top, width, height).
    virtual QRect lastPreviewRect() const = 0;
    virtual THS_Language language() const = 0;
    // The per-user settings folder, ending with "/".
    virtual QString clientPath() const = 0;
    // Appends an opened viewer window to the dispatcher's form list; from then on the
    // dispatcher decides when it is closed and freed.
    virtual void addForm(QWidget* form) = 0;
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

// Which kind of viewer shows a file with this extension text (lower case, no dot) and code.
// When the user closes the choice dialog without choosing, the result is VS_None and
// `cancelled` (when given) is set.
TViewerStyle ChooseViewer(const QString& ext, std::int32_t code, const ViewerChoiceContext& ctx,
                          bool* cancelled = nullptr);

// Runs web command 13 with its argument text ("filekey", "filever", "filename", "ctparams").
// Returns the error text for the dispatcher to show; empty when there is none.
QString DoPreview(const QString& cmd, PreviewHost& host);

// The same with the machine's answers and the question to the user replaced (tests).
QString DoPreview(const QString& cmd, PreviewHost& host, const ViewerEnvironment& environment,
                  const ViewerAsk& ask);

}  // namespace ov
