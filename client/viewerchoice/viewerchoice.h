#pragma once
// Preview of a server file (web command 13): the viewer that documents/viewerchoice chooses,
// opened.
//
// The dispatcher hands its context over as a PreviewHost (main window, shared hint window,
// remembered window rectangle, its form list); DoPreview returns the error text, which the
// dispatcher shows in its hint window as it does for every handler.

#include <QRect>
#include <QString>

#include "core/types.h"
#include "documents/viewerchoice/viewerchoice.h"

class QWidget;

namespace ov {

class TPreViewHint;

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

// Runs web command 13 with its argument text ("filekey", "filever", "filename", "ctparams").
// Returns the error text for the dispatcher to show; empty when there is none.
QString DoPreview(const QString& cmd, PreviewHost& host);

// The same with the machine's answers and the question to the user replaced (tests).
QString DoPreview(const QString& cmd, PreviewHost& host, const ViewerEnvironment& environment,
                  const ViewerAsk& ask);

}  // namespace ov
