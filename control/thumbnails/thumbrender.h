#pragma once
// Rendering a downloaded file into its thumbnail picture: the first page (or the picture) fitted
// to the width, on white, cut at the height. Blocking; safe on a worker thread.

#include <QImage>
#include <QString>
#include <functional>

namespace ov::control {

enum class TThumbRenderer { Pdf, Picture, Office, None };

// By extension (without the dot, any case).
TThumbRenderer ThumbRendererOf(const QString& ext);

// 1080 for "xls", "xlsx" and "pdf", else 880; the height is 1240.
int ThumbWidth(const QString& ext);
inline constexpr int ThumbHeight = 1240;

// Converts an office document to PDF (`pdf` is the target); an empty text when it worked, else
// why not. The default uses the session's LibreOffice.
using TPdfConverter = std::function<QString(const QString& document, const QString& pdf)>;
TPdfConverter SessionPdfConverter();

// The picture, or a null image with `error` set.
QImage RenderThumbnail(const QString& path, const TPdfConverter& convert, QString& error);

}  // namespace ov::control
