#pragma once

#include "automation/SafeArray.h"

#include <cstdint>
#include <memory>

namespace corvane {

class ServerProcess;
class Tag;

// The three arrays of a synthesised history, element i describing sample i.
struct History {
    std::shared_ptr<automation::SafeArray> values;      // singles
    std::shared_ptr<automation::SafeArray> timestamps;  // dates
    std::shared_ptr<automation::SafeArray> confidences; // 16-bit integers
};

// The most samples one history may hold. The reply that carries them travels
// in one bus message, whose size the protocol caps at 128 MiB; at 18 bytes a
// sample on the wire, 7 million samples stay well inside it.
inline constexpr std::int32_t kMaxHistorySamples = 7'000'000;

// Makes up the history of `tag` over the process-wide time window: evenly
// spaced samples from StartTime, shifted by the operator's time error, each
// the tag's value or that value on the operator's sine wave. Shows the sample
// count on the main window and lists the samples in the data window while it
// is shown. Errors end the synthesis and leave what the steps before them did.
History SynthesizeHistory(ServerProcess& process, const Tag& tag);

}  // namespace corvane
