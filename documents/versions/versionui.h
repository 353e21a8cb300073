#pragma once
// The questions, messages, folder picks and shell opens of the version-control forms, in one
// place, so that tests can play the user. Each form holds its own copy, made from the default.

#include "core/types.h"

#include <QString>
#include <functional>

class QWidget;

namespace ov {

struct TVersionUi {
    // A Yes/No question with the question icon; true for Yes.
    std::function<bool(QWidget* parent, const QString& caption, const QString& text)> Ask;
    // A message with an OK button (the error icon when `error`).
    std::function<void(QWidget* parent, const QString& caption, const QString& text, bool error)>
        Tell;
    // The folder-browse dialog; "" when cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& start)>
        PickFolder;
    // Opens a file or a folder with the desktop's program; false when that failed.
    std::function<bool(const QString& path)> Open;
    // The replace question of the latest versions for one file: "ok", "all" or "cancel".
    std::function<QString(QWidget* parent, const QString& fileName, THS_Language language)>
        AskNewer;
};

TVersionUi DefaultVersionUi();

// The text of the language: Chinese for HSL_CN, English for any other.
inline QString LangText(THS_Language language, const QString& cn, const QString& en) {
    return language == HSL_CN ? cn : en;
}

}  // namespace ov
