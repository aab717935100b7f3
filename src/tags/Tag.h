#pragma once

#include "automation/DispatchObject.h"
#include "automation/Variant.h"

#include <cstdint>
#include <string>

namespace corvane {

class ServerProcess;
class TagDefinition;

// One tag that a client asked for in a session: its name, current value and
// confidence, its own definition, and two texts the client may keep on it.
class Tag : public automation::DispatchObject {
public:
    // Its members as clients reach them (bound in TagBinding.cpp).
    const automation::InterfaceBinding& dispatchBinding() const override;

    explicit Tag(ServerProcess& process);
    ~Tag() override;

    // The same definition object on every call.
    automation::Ref<corvane::TagDefinition> TagDefinition() const;
    // The synthesised history over the session window: arrays of singles,
    // dates and 16-bit confidences, assigned only once every sample is made.
    void UnpackResults(automation::Variant& varValues, automation::Variant& varTimestamps,
                       automation::Variant& varConfidences);
    void Define(const std::u16string& strName);
    const std::u16string& TagName() const { return TagName_; }
    const std::u16string& Units() const;
    void setUnits(const std::u16string& strUnits);
    const std::u16string& Offset() const { return Offset_; }
    void setOffset(const std::u16string& strOffset) { Offset_ = strOffset; }
    const std::u16string& ReductionType() const { return ReductionType_; }
    void setReductionType(const std::u16string& strType) { ReductionType_ = strType; }
    float PV() const { return PV_; }
    void setPV(float dVal) { PV_ = dVal; }
    std::int32_t Confidence() const { return Confidence_; }
    // Held to 0..100.
    void setConfidence(std::int32_t nConf);
    // A client's write: confidence (100 when missing), value, a write-log
    // line, then the grid refresh. varTime plays no part.
    void Put0(const automation::Variant& varVal, const automation::Variant& varTime,
              const automation::Variant& varConfidence);

private:
    ServerProcess& process_;
    automation::Ref<corvane::TagDefinition> definition_;
    std::u16string TagName_;
    std::u16string Offset_;
    std::u16string ReductionType_;
    float PV_ = 0;
    std::int32_t Confidence_ = 0;
};

}  // namespace corvane
