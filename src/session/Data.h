#pragma once

#include "automation/DispatchObject.h"
#include "automation/Variant.h"

#include <cstdint>
#include <string>

namespace corvane {

class ServerProcess;
class SimServer;
class Tags;

// A client's query session: host, login, time window, sampling and its tags.
// Most settings are only stored and echoed on the operator window; the time
// window and the sample frequency drive the history synthesis. Host and
// timeout belong to the session, the rest to the process-wide SessionSettings.
class Data : public automation::DispatchObject {
public:
    // Its members as clients reach them (bound in DataBinding.cpp).
    const automation::InterfaceBinding& dispatchBinding() const override;

    // Links the new session to ServerInstance (starting the server on first use).
    static automation::Ref<Data> Create(ServerProcess& process);

    void Login(const std::u16string& UserName, const std::u16string& Password);
    automation::Ref<corvane::Tags> Tags() const;
    automation::Variant StartTime() const;
    void setStartTime(const automation::Variant& varDate);
    automation::Variant EndTime() const;
    void setEndTime(const automation::Variant& varDate);
    void Fetch();
    std::int32_t SampleFrequency() const;
    void setSampleFrequency(std::int32_t nSampleFreq);
    float MinimumConfidence() const;
    void setMinimumConfidence(float nMinConfidence);
    std::u16string SampleMethod() const;
    void setSampleMethod(const std::u16string& strSampleMethod);
    const std::u16string& HostName() const { return HostName_; }
    void setHostName(const std::u16string& strName);
    std::int32_t ConnectionTimeout() const { return ConnectionTimeout_; }
    void setConnectionTimeout(std::int32_t nTimeoutMillisec);

protected:
    ~Data() override;

private:
    explicit Data(ServerProcess& process);

    ServerProcess& process_;
    std::u16string HostName_;
    automation::Ref<corvane::Tags> Tags_;
    automation::Ref<SimServer> Server_;
    std::int32_t ConnectionTimeout_ = 0;
};

}  // namespace corvane
