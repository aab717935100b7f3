#include "Data.h"

#include "automation/NumberText.h"
#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"
#include "server/SimServer.h"
#include "session/TimeWindow.h"
#include "tags/Tags.h"

namespace corvane {

using automation::Ref;
using automation::Variant;

Ref<Data> Data::Create(ServerProcess& process)
{
    if (!process.ServerInstance) process.ServerInstance = SimServer::Create(process);
    Ref<Data> session(new Data(process));
    session->Server_ = process.ServerInstance;
    session->Server_->setData(session);
    session->Tags_ = Ref<corvane::Tags>(new corvane::Tags(process));
    return session;
}

Data::Data(ServerProcess& process) : process_(process) {}

Data::~Data()
{
    Tags_.reset();
    Server_.reset();
}

void Data::Login(const std::u16string& UserName, const std::u16string& Password)
{
    process_.console.setText(Control::txtUserName, UserName);
    process_.console.setText(Control::txtPassword, Password);
}

Ref<Tags> Data::Tags() const { return Tags_; }

Variant Data::StartTime() const { return Variant::date(process_.SessionSettings.StartTime); }
Variant Data::EndTime() const { return Variant::date(process_.SessionSettings.EndTime); }

void Data::setStartTime(const Variant& varDate)
{
    TimeWindow(process_).letStartTime(varDate);
}

void Data::setEndTime(const Variant& varDate)
{
    TimeWindow(process_).letEndTime(varDate);
}

void Data::Fetch() { process_.console.dataFetch(); }

std::int32_t Data::SampleFrequency() const { return process_.SessionSettings.SampleFrequency; }

void Data::setSampleFrequency(std::int32_t nSampleFreq)
{
    if (nSampleFreq <= 0) return;
    process_.SessionSettings.SampleFrequency = nSampleFreq;
    process_.console.setText(Control::labelSampleFrequency, automation::number::formatInteger(nSampleFreq));
}

float Data::MinimumConfidence() const { return process_.SessionSettings.MinimumConfidence; }

void Data::setMinimumConfidence(float nMinConfidence)
{
    if (nMinConfidence > 0) process_.SessionSettings.MinimumConfidence = nMinConfidence;  // NaN is ignored too
}

std::u16string Data::SampleMethod() const { return process_.SessionSettings.SampleMethod; }

void Data::setSampleMethod(const std::u16string& strSampleMethod)
{
    if (strSampleMethod.empty()) return;
    process_.SessionSettings.SampleMethod = strSampleMethod;
    process_.console.setText(Control::txtHistoryType, strSampleMethod);
}

void Data::setHostName(const std::u16string& strName)
{
    HostName_ = strName;
    process_.console.setText(Control::txtTesselHost, strName);
}

void Data::setConnectionTimeout(std::int32_t nTimeoutMillisec)
{
    if (nTimeoutMillisec > 0) ConnectionTimeout_ = nTimeoutMillisec;
}

}  // namespace corvane
