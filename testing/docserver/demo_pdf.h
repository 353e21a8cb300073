#pragma once
// PDF files for the demo content: a two-page description with Chinese text and a Chinese name,
// and a one-page wiring list in English. The test server program adds them to the demo; tests
// that list the demo's folders do not see them unless they add them too.

#include "testing/docserver/filechannel.h"
#include "testing/docserver/model/model.h"

namespace ov::test::demo {

constexpr std::int64_t GearboxPdfFile = 1003;  // "齿轮箱设计说明书.pdf" in 11
constexpr std::int64_t WiringPdfFile = 1201;   // "Wiring list.pdf" in 12

// Adds the files to the demo model (after LoadDemo) and their contents to the file channel.
void LoadDemoPdfs(DocModel& model, DocFileChannel& files);

QByteArray GearboxPdf();
QByteArray WiringPdf();

}  // namespace ov::test::demo
