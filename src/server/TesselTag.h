#pragma once

#include "automation/Object.h"

#include <cstdint>
#include <string>

namespace corvane {

// One row of the tag table: a name with its current value and confidence.
// Private to the server: never handed to clients.
class TesselTag final : public automation::Object {
public:
    const std::u16string& name() const { return name_; }
    void setName(std::u16string strName) { name_ = std::move(strName); }

    float pv() const { return pv_; }
    void setPV(float rVal) { pv_ = rVal; }

    std::int32_t confidence() const { return confidence_; }
    void setConfidence(std::int32_t nVal) { confidence_ = nVal; }

    // Never set by the load; kept because the entry has always carried it.
    bool isDigital() const { return isDigital_; }
    void setIsDigital(bool bState) { isDigital_ = bState; }

private:
    std::u16string name_;
    float pv_ = 0.0f;
    std::int32_t confidence_ = 0;
    bool isDigital_ = false;
};

}  // namespace corvane
