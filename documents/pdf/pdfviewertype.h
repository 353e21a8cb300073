#pragma once
// Which PDF reader the previewers use, asked by both preview dispatchers before they create the
// previewer form.

namespace ov {

// 1: the preferred reader (its control class is registered); else 3: the Sursen reader; else
// 2: the Foxit reader; else 0. The dispatchers create TPdfPreviewFrm for 1 and 0,
// TFoxitPdfReaderFrm for 2 and TSSrsPreviewFrm for 3.
int GetPdfViewerType();

}  // namespace ov
