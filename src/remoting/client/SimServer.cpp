#include "corvanesim/SimServer.h"

#include "ResultValues.h"

#include "typelib/TypeLibrary.h"

namespace corvane::client {

namespace {

using K = automation::MemberKind;
constexpr const automation::InterfaceDescription& kInterface = typelib::kSimServerInterface;

constexpr Member kDataGet = memberOf(kInterface, u"Data", K::PropertyGet);
constexpr Member kDataPut = memberOf(kInterface, u"Data", K::PropertyPut);

}  // namespace

SimServer SimServer::create(const Connection& connection) { return SimServer(connection.create("CorvaneSim.SimServer")); }

Data SimServer::data() const { return Data(result::asObject(object_.invoke(kDataGet))); }
void SimServer::setData(const Data& data) const { object_.invoke(kDataPut, {data.object().toVariant()}); }

}  // namespace corvane::client
