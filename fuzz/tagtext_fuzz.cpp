// Tagged text and the routines that take its values apart: the first byte chooses how much of
// the input is the tag (or separator), the rest is the text.

#include "fuzzsupport.h"

#include "core/checks.h"
#include "core/datetime.h"
#include "core/param.h"
#include "core/powers.h"
#include "core/split.h"
#include "core/tagtext.h"

#include <QStringDecoder>
#include <cstdlib>

using namespace ov;

namespace {

void TagsAndSplits(const QString& tag, QString text) {
    const QString value = ReadTagValue(text, tag, false);
    if (ReadTagValue(text, tag, true).size() > value.size()) std::abort();
    SplitToStrArray(text, tag.isEmpty() ? QChar(u',') : tag.at(0));
    SplitToIntArray(text, u',');
    SplitToInt64Array(text, u';');
    SplitByString(text, tag);
    ReplaceAllText(text, tag, QStringLiteral("[x]"));
    PosFrom(tag, text, tag.size());
    WriteTagValue(tag, QStringLiteral("v"), text);
}

void Values(const QString& text) {
    ParseMemberPowers(text);
    IPToInt(text);
    IsValidEmail(text);
    TextToDateTimeDef(text, 0);
    TextToIntDef0(text);
    TextToInt64Def0(text);
    try {
        DecodeParam(text);
    } catch (const std::exception&) {
        // a pair that is not hexadecimal raises to the caller
    }
    // The file channel's parameter form gives a text back whole (valid UTF-16 only; the empty
    // text's form is too short to be decoded).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString valid = utf8(text.toUtf8());
    if (!valid.isEmpty() && DecodeParam(EncodeParam(valid)) != valid) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t tagBytes = std::min<std::size_t>(data[0] % 24, size - 1);
    const QString tag = fuzz::Utf16(fuzz::Bytes(data + 1, tagBytes));
    const QString text = fuzz::Utf16(fuzz::Bytes(data + 1 + tagBytes, size - 1 - tagBytes));
    TagsAndSplits(tag, text);
    Values(text);
    return 0;
}
