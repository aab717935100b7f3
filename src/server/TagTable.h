#pragma once

#include "TesselTag.h"
#include "automation/KeyedCollection.h"

namespace corvane {

// The tag table: entries keyed by tag name, letter case ignored.
using TagTable = automation::KeyedCollection<TesselTag>;

}  // namespace corvane
