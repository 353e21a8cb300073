// Control-channel reply frames as a server sends them: length, header, payload, trailer.

#include "fuzzsupport.h"

#include "core/pipetcpclient.h"

using namespace ov;

namespace {

class Reader : public TPipeTcpClient {
public:
    void Read(const QByteArray& reply) {
        Stream().adoptAccepted(fuzz::SocketWithPeerBytes(reply));
        try {
            ReceiveFrame();
            StreamToText(RecStream());
        } catch (const NetError&) {
            // a cut or impossible frame fails the request
        }
        Disconnect();
        fuzz::CloseFarEnd();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Reader reader;
    reader.Read(fuzz::Bytes(data, size));
    return 0;
}
