#include "WireBudget.h"

#include "WireFormatError.h"

namespace corvane::remoting {

void WireBudget::spend(std::size_t bytes)
{
    spent_ += bytes;
    if (spent_ > kMaxMessageBytes)
        throw WireLimitError(QStringLiteral("the message would exceed the bus's size limit of %1 bytes")
                                 .arg(kMaxMessageBytes));
}

void WireBudget::spendArray(std::size_t bytes)
{
    checkArray(bytes);
    spend(bytes);
}

void WireBudget::checkArray(std::size_t bytes)
{
    if (bytes > kMaxArrayBytes)
        throw WireLimitError(QStringLiteral("an array would exceed the bus's limit of %1 bytes").arg(kMaxArrayBytes));
}

}  // namespace corvane::remoting
