#include "TypicalQuery.h"

#include "corvanesim/CorvaneSim.h"

#include <stdexcept>

namespace corvane::stress {

using namespace client;

namespace {

void expect(bool holds, const std::string& what)
{
    if (!holds) throw std::runtime_error("the typical query: " + what);
}

}  // namespace

void runTypicalQuery(const std::string& busAddress)
{
    try {
        const Data data = Data::create(Connection::toBus(busAddress));
        data.setHostName(u"localhost");
        data.login(u"operator", u"secret");
        data.setSampleFrequency(600);
        data.setSampleMethod(u"Interpolated");
        data.setStartTime(u"NOW-60M");
        data.setEndTime(u"NOW");
        const Tags tags = data.tags();
        tags.add(u"TIC101.PV");
        tags.add(u"FIC101.PV");
        expect(tags.count() == 2, "Count is not 2");
        data.fetch();
        int walked = 0;
        for (const Tag& tag : tags) {
            const History history = tag.unpackResults();
            // An hour at ten minutes: both ends and five between.
            expect(history.values.size() == 7 && history.timestamps.size() == 7 && history.confidences.size() == 7,
                   toUtf8(tag.tagName()) + " has " + std::to_string(history.values.size()) + " samples, not 7");
            for (const std::int16_t confidence : history.confidences)
                expect(confidence == 100, toUtf8(tag.tagName()) + " has a sample of confidence " + std::to_string(confidence));
            ++walked;
        }
        expect(walked == 2, "the enumerator gave " + std::to_string(walked) + " tags");
        tags.removeAll();
        expect(tags.count() == 0, "RemoveAll left tags");
    } catch (const RemoteError& error) {
        throw std::runtime_error(std::string("the typical query failed: ") + error.what());
    }
}

}  // namespace corvane::stress
