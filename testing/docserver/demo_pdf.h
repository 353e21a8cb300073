#pragma once
// PDF files of the demo content: a two-page description with Chinese text and a Chinese name,
// and a one-page wiring list in English. The model gets their entries with LoadDemo; their
// contents go to the file channel that serves them.

#include "testing/docserver/filechannel.h"
#include "testing/docserver/model.h"

namespace ov::test::demo {

constexpr std::int64_t GearboxPdfFile = 1003;  // "齿轮箱设计说明书.pdf" in 11
constexpr std::int64_t WiringPdfFile = 1201;   // "Wiring list.pdf" in 12

// Adds the files to the model (the caller holds the model's lock).
void LoadDemoPdfFiles(DocModel& model);
// Stores their contents in the file channel.
void StoreDemoPdfContents(DocFileChannel& files);

QByteArray GearboxPdf();
QByteArray WiringPdf();

}  // namespace ov::test::demo
