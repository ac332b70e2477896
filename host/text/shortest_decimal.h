// Floats in the host's JSON output.
#pragma once

namespace host {

// The shortest decimal that reads back as the same float, so 0.1f prints as 0.1 and not as
// the float's exact binary value.
double shortest_decimal(float f);

}  // namespace host
