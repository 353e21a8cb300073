#pragma once
// The command table of the test server and what its handlers share.

#include "testing/docserver/codec/codes.h"
#include "testing/docserver/codec/tagtext.h"
#include "testing/docserver/model/model.h"
#include "testing/docserver/server.h"

#include <map>

namespace ov::test {

struct CommandContext {
    DocModel& model;
    const ControlRequest& request;
    QString text;             // the request text
    DocUser* user = nullptr;  // the token's user, when the request carried a valid one

    QString tag(const QString& name) const { return wire::tagValue(text, name); }
    // The value as it stands, blanks included.
    QString rawTag(const QString& name) const { return wire::tagValue(text, name, false); }
    std::int64_t tagInt64(const QString& name) const { return wire::int64Or0(tag(name)); }
    std::int32_t tagInt(const QString& name) const { return wire::intOr0(tag(name)); }
};

using CommandFn = ControlReply (*)(CommandContext&);

struct CommandSpec {
    bool needsToken = true;
    // The text of the refusal when the token is missing or unknown (a result code for the
    // commands whose reply the client reads as a number).
    const char16_t* refusal = nullptr;
    CommandFn run = nullptr;
};

using CommandTable = std::map<std::uint8_t, CommandSpec>;

void AddIdentityCommands(CommandTable& table);
void AddFolderCommands(CommandTable& table);
void AddFileCommands(CommandTable& table);
void AddBatchCommands(CommandTable& table);

inline ControlReply Reply(std::uint8_t state, const QString& text) {
    return ControlReply::withText(state, text);
}
inline ControlReply Ok(const QString& text) {
    return Reply(wire::RS_Ok, text);
}
inline ControlReply Ok2(const QString& text) {
    return Reply(wire::RS_Ok2, text);
}
inline ControlReply Code(int code) {
    return Ok(QString::number(code));
}

}  // namespace ov::test
