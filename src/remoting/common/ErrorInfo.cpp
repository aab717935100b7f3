#include "ErrorInfo.h"

#include "BusMessage.h"
#include "WireText.h"

namespace corvane::remoting {

void write(BusMessage& out, const ErrorInfo& info)
{
    out.open('r', "iss");
    out.appendInt32(info.code);
    out.appendText(info.source.toUtf8().constData());
    out.appendText(info.description.toUtf8().constData());
    out.close();
}

ErrorInfo readErrorInfo(BusMessage& in)
{
    ErrorInfo info;
    in.enter('r', "iss");
    info.code = in.readInt32();
    info.source = fromWireUtf8(in.readText());
    info.description = fromWireUtf8(in.readText());
    in.exit();
    return info;
}

}  // namespace corvane::remoting
