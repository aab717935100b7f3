#pragma once

#include <string>

namespace corvane::stress {

// What a fresh client does most: a session over the last hour at ten-minute
// samples, two tags of the database, a fetch and their histories, every
// answer checked. Its session then stays the server's latest; its tags are
// removed again (which empties the window's grid) so that the session holds
// the same whenever this runs. Throws std::runtime_error with what was wrong.
void runTypicalQuery(const std::string& busAddress);

}  // namespace corvane::stress
