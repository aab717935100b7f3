#include "ErrorInfo.h"

#include "BusMessage.h"

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
    const std::string_view source = in.readText();
    info.source = QString::fromUtf8(source.data(), qsizetype(source.size()));
    const std::string_view description = in.readText();
    info.description = QString::fromUtf8(description.data(), qsizetype(description.size()));
    in.exit();
    return info;
}

}  // namespace corvane::remoting
