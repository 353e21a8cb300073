#include "testing/docserver/commands.h"

#include "testing/docserver/control/commands_table.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

const CommandTable& Table() {
    static const CommandTable table = [] {
        CommandTable t;
        AddIdentityCommands(t);
        AddFolderCommands(t);
        AddFileCommands(t);
        AddBatchCommands(t);
        return t;
    }();
    return table;
}

}  // namespace

QString InvalidTokenText() {
    return u"Invalid user token"_s;
}

DocCommands::DocCommands(DocModel& model) : m_model(model) {}

ControlReply DocCommands::handle(const ControlRequest& request) {
    const auto& table = Table();
    const auto it = table.find(std::uint8_t(request.head.TranType));
    if (it == table.end()) return Reply(wire::RS_Refused, u"Unknown request"_s);
    std::lock_guard lock(m_model.mutex);
    CommandContext context{m_model, request, request.text()};
    context.user = m_model.userByToken(context.tag(u"EncryptCode"_s));
    const CommandSpec& spec = it->second;
    if (spec.needsToken && (!context.user || context.user->disabled)) {
        const QString refusal =
            spec.refusal ? QString::fromUtf16(spec.refusal) : InvalidTokenText();
        return Reply(wire::RS_Refused, refusal);
    }
    return spec.run(context);
}

void DocCommands::install(DocServer& server) {
    server.setControlHandler([this](const ControlRequest& request) { return handle(request); });
}

}  // namespace ov::test
