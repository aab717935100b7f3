// The answer of the tag database reader process as the server reads it: the
// reader runs libmdb on a possibly hostile file, so its answer is untrusted
// too. Decoding refuses what is not exactly one answer and never allocates
// beyond what the bytes could hold; what it accepts encodes to one canonical form.
#include "Entries.h"

#include "FuzzInput.h"
#include "TagReadAnswer.h"

#include <string_view>

namespace corvane::fuzz {

void runReaderAnswerInput(std::span<const std::uint8_t> bytes)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::optional<jet::TagReadAnswer> answer = jet::decodeAnswer(text);
    if (!answer) return;
    if (answer->table)
        for (const auto& row : answer->table->rows)
            if (row.size() != answer->table->fieldNames.size()) fail("a decoded row has another number of fields");
    const std::string canonical = jet::encodeAnswer(*answer);
    const std::optional<jet::TagReadAnswer> again = jet::decodeAnswer(canonical);
    if (!again) fail("an encoded answer does not decode");
    if (jet::encodeAnswer(*again) != canonical) fail("an answer changed on its way through the encoder");
}

}  // namespace corvane::fuzz
