#pragma once
// The shared wait and error window of the previewers, the dispatcher and the control: a small
// white dialog (506 x 200) with a wait picture or an error picture and a text. Its owner creates
// it once and hands it to every previewer it opens; nothing here hides it: the owner and the
// previewers hide it once the viewer shows the document.
//
// It works as a window of its own (centred on its parent window) or, when `embedded` is set, as
// a child widget of its parent.

#include "core/types.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace ov {

class TPreViewHint : public QWidget {
    Q_OBJECT
public:
    // Picture numbers of ShowHint.
    static constexpr int PictureWait = 2;
    static constexpr int PictureError = 1;

    // The language comes from the settings.
    explicit TPreViewHint(QWidget* parent = nullptr, bool embedded = false);
    // The language given: HSL_CN gives the caption "提示" and the font "宋体" at 12 points,
    // HSL_ENG the caption "Hint" and Tahoma at 10 points, anything else "提示" with Tahoma.
    TPreViewHint(THS_Language language, QWidget* parent, bool embedded = false);

    // Shows the text with the error picture (PictureNum 1) or the wait picture (any other
    // value), shows the window, repaints it at once and brings it to the front.
    void ShowHint(const QString& HintStr, int PictureNum);

    // What the window shows (for the owner and for tests).
    QString HintText() const;
    bool ShowsErrorPicture() const;
    bool ShowsWaitPicture() const;

    // The form's parts, as the previewers may reach them (object names "Image1", "Image2",
    // "Memo1").
    QLabel* WaitPicture = nullptr;       // 36 x 36
    QLabel* ErrorPicture = nullptr;      // 36 x 36, same place
    QPlainTextEdit* HintMemo = nullptr;  // borderless, read-only, 400 x 142

private:
    void FormCreate(THS_Language language);
};

}  // namespace ov
